// matrix_maths.cpp: the matrices of GL 1.1 and GLU, in single precision as a
// GL keeps them; the angles and ratios are worked out in double first.
#include "gl_subset/matrix_maths.h"

#include <cmath>

Matrix4 IdentityMatrix() {
  Matrix4 r = {};
  r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
  return r;
}

Matrix4 MultiplyMatrices(const Matrix4 &a, const Matrix4 &b) {
  Matrix4 r;
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
      r.m[column * 4 + row] = sum;
    }
  return r;
}

Matrix4 TranslationMatrix(float x, float y, float z) {
  Matrix4 r = IdentityMatrix();
  r.m[12] = x;
  r.m[13] = y;
  r.m[14] = z;
  return r;
}

Matrix4 RotationMatrix(float angle, float x, float y, float z) {
  double length = std::sqrt((double)x * x + (double)y * y + (double)z * z);
  if (length == 0.0) return IdentityMatrix();
  double ux = x / length, uy = y / length, uz = z / length;
  double radians = angle * M_PI / 180.0;
  double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
  const double rows[3][3] = {{ux * ux * t + c, ux * uy * t - uz * s, ux * uz * t + uy * s},
                             {uy * ux * t + uz * s, uy * uy * t + c, uy * uz * t - ux * s},
                             {uz * ux * t - uy * s, uz * uy * t + ux * s, uz * uz * t + c}};
  Matrix4 r = IdentityMatrix();
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) r.m[column * 4 + row] = (float)rows[row][column];
  return r;
}

Matrix4 OrthoMatrix(double left, double right, double bottom, double top, double zNear, double zFar) {
  Matrix4 r = IdentityMatrix();
  if (left == right || bottom == top || zNear == zFar) return r;  // GL refuses these
  r.m[0] = (float)(2.0 / (right - left));
  r.m[5] = (float)(2.0 / (top - bottom));
  r.m[10] = (float)(-2.0 / (zFar - zNear));
  r.m[12] = (float)(-(right + left) / (right - left));
  r.m[13] = (float)(-(top + bottom) / (top - bottom));
  r.m[14] = (float)(-(zFar + zNear) / (zFar - zNear));
  return r;
}

Matrix4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  double half = fovy / 2.0 * M_PI / 180.0;
  double sine = std::sin(half);
  if (zNear == zFar || sine == 0.0 || aspect == 0.0) return IdentityMatrix();
  double f = std::cos(half) / sine;
  Matrix4 r = {};
  r.m[0] = (float)(f / aspect);
  r.m[5] = (float)f;
  r.m[10] = (float)((zFar + zNear) / (zNear - zFar));
  r.m[11] = -1.0f;
  r.m[14] = (float)(2.0 * zFar * zNear / (zNear - zFar));
  return r;
}

void TransformPoint(const Matrix4 &m, const float in[4], float out[4]) {
  for (int row = 0; row < 4; ++row)
    out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] + m.m[12 + row] * in[3];
}

void NormalMatrix(const Matrix4 &m, float out[9]) {
  // a[row][column] of the upper 3x3.
  double a[3][3];
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) a[row][column] = m.m[column * 4 + row];
  double cofactor[3][3];
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (column + 1) % 3, c1 = (column + 2) % 3;
      cofactor[row][column] = a[r0][c0] * a[r1][c1] - a[r0][c1] * a[r1][c0];
    }
  double determinant = a[0][0] * cofactor[0][0] + a[0][1] * cofactor[0][1] + a[0][2] * cofactor[0][2];
  // The inverse transpose is the cofactor matrix over the determinant.
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      out[column * 3 + row] = determinant == 0.0 ? (row == column ? 1.0f : 0.0f)
                                                 : (float)(cofactor[row][column] / determinant);
}
