// matrix_maths.h: 4x4 matrices as GL keeps them (single precision, column
// by column) and the ones GL 1.1 and GLU make: translation, rotation,
// orthographic box and perspective.
#pragma once

struct Matrix4 {
  float m[16];  // column-major: m[column * 4 + row]
};

Matrix4 IdentityMatrix();
// a · b: b is applied first.
Matrix4 MultiplyMatrices(const Matrix4 &a, const Matrix4 &b);
Matrix4 TranslationMatrix(float x, float y, float z);
// A turn by angle degrees about the axis (x, y, z), counterclockwise looking
// down the axis; a zero axis turns nothing.
Matrix4 RotationMatrix(float angle, float x, float y, float z);
Matrix4 OrthoMatrix(double left, double right, double bottom, double top, double zNear, double zFar);
// gluPerspective's matrix; nothing (the identity) where it is undefined.
Matrix4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar);

// m · (x, y, z, w).
void TransformPoint(const Matrix4 &m, const float in[4], float out[4]);
// The matrix that carries normals along with m: the inverse transpose of its
// upper 3x3 (column-major 3x3); the identity where m cannot be inverted.
void NormalMatrix(const Matrix4 &m, float out[9]);
