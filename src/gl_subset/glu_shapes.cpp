// glu_shapes.cpp: the GLU that Talmir calls: gluPerspective and a quadric's
// sphere, drawn through the subset's own immediate mode so that the sphere
// leaves its last normal current, as GLU does (the frame lights the terrain
// with it).
#include <GLES2/gl2.h>

#include <cmath>
#include <vector>

#include "gl_subset/gl_subset.h"
#include "gl_subset/matrix_maths.h"

struct GLUquadric {
  unsigned drawStyle, normals, orientation;
  bool textureCoords;
};

namespace {

// The sines and cosines of a sphere's angles, in single precision as GLU
// works them out; the last slice repeats the first exactly, closing the seam.
struct SphereAngles {
  std::vector<float> sinSlice, cosSlice, sinStack, cosStack;
};

SphereAngles AnglesFor(int slices, int stacks) {
  SphereAngles a;
  for (int i = 0; i <= slices; ++i) {
    float angle = (float)(2.0 * M_PI * (i == slices ? 0 : i) / slices);
    a.sinSlice.push_back(std::sin(angle));
    a.cosSlice.push_back(std::cos(angle));
  }
  for (int j = 0; j <= stacks; ++j) {
    float angle = (float)(M_PI * j / stacks);
    a.sinStack.push_back(std::sin(angle));
    a.cosStack.push_back(std::cos(angle));
  }
  return a;
}

// One vertex of the sphere: stack j counts down from the top (+z), slice i
// round the z axis from +y towards +x. Inside, the normals point to the
// centre and the texture's s runs the other way round.
void SphereVertex(const GLUquadric &q, const SphereAngles &a, double radius, int slices, int stacks, int i, int j) {
  float sx = a.sinStack[j] * a.sinSlice[i], sy = a.sinStack[j] * a.cosSlice[i], sz = a.cosStack[j];
  bool inside = q.orientation == GLU_INSIDE;
  if (q.normals != GLU_NONE) {
    float sign = inside ? -1.0f : 1.0f;
    SubsetNormal3f(sign * sx, sign * sy, sign * sz);
  }
  if (q.textureCoords) {
    float s = (float)i / slices;
    SubsetTexCoord2f(inside ? 1.0f - s : s, 1.0f - (float)j / stacks);
  }
  SubsetVertex3f((float)(radius * sx), (float)(radius * sy), (float)(radius * sz));
}

}  // namespace

void SubsetPerspective(double fovy, double aspect, double zNear, double zFar) {
  Matrix4 m = PerspectiveMatrix(fovy, aspect, zNear, zFar);
  SubsetMultMatrixf(m.m);
}

GLUquadric *SubsetNewQuadric() { return new GLUquadric{GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE, false}; }

void SubsetDeleteQuadric(GLUquadric *quadric) { delete quadric; }

void SubsetQuadricDrawStyle(GLUquadric *quadric, unsigned style) { quadric->drawStyle = style; }

// GLU_FLAT is drawn as GLU_SMOOTH: only the two kinds Talmir can use differ.
void SubsetQuadricNormals(GLUquadric *quadric, unsigned normals) { quadric->normals = normals; }

void SubsetQuadricTexture(GLUquadric *quadric, unsigned char textureCoords) {
  quadric->textureCoords = textureCoords != 0;
}

void SubsetQuadricOrientation(GLUquadric *quadric, unsigned orientation) { quadric->orientation = orientation; }

// One quad strip per stack, from the top down, each going once round the z
// axis with the upper vertex of each pair first (the lower first outside).
// Only the filled style is drawn.
void SubsetSphere(GLUquadric *quadric, double radius, int slices, int stacks) {
  if (quadric == nullptr || quadric->drawStyle != GLU_FILL || slices < 2 || stacks < 1) return;
  SphereAngles angles = AnglesFor(slices, stacks);
  bool inside = quadric->orientation == GLU_INSIDE;
  for (int j = 0; j < stacks; ++j) {
    SubsetBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= slices; ++i) {
      SphereVertex(*quadric, angles, radius, slices, stacks, i, inside ? j : j + 1);
      SphereVertex(*quadric, angles, radius, slices, stacks, i, inside ? j + 1 : j);
    }
    SubsetEnd();
  }
}
