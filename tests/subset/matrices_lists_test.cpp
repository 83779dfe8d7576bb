// The subset's matrix stacks and display lists: gluPerspective multiplied
// onto glOrtho as the window's projection is made, the stacks' limits, and
// glCallLists with its list base and signed bytes, as the overlay calls it.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "subset_context.h"

namespace {

struct Matrices : testing::Test {
  void SetUp() override { ASSERT_TRUE(MakeSubsetContextCurrent(64, 8)); }
};

// A 4x4 product in double, column-major as GL keeps matrices.
void Multiply(const double a[16], const double b[16], double out[16]) {
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      out[c * 4 + r] = 0;
      for (int k = 0; k < 4; ++k) out[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    }
}

// One coloured square 8 units wide, then the pen 8 units on.
void CompileSquare(unsigned list, float r, float g, float b) {
  glNewList(list, GL_COMPILE);
  glColor3f(r, g, b);
  glBegin(GL_QUADS);
  glVertex2i(0, 0);
  glVertex2i(8, 0);
  glVertex2i(8, 8);
  glVertex2i(0, 8);
  glEnd();
  glTranslated(8.0, 0.0, 0.0);
  glEndList();
}

}  // namespace

// The window's projection at 1024x768: the box, then the perspective with
// near beyond far, both in effect (the product as the reference pages give
// the two matrices, worked out in double here).
TEST_F(Matrices, PerspectiveMultipliesOntoTheBox) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-400.0 / 3, 400.0 / 3, -100, 100, -100, 100);
  gluPerspective(1.0, 1.0, 1.33, 1.0);
  float got[16];
  glGetFloatv(GL_PROJECTION_MATRIX, got);
  double f = 1.0 / std::tan(0.5 * M_PI / 180.0), n = 1.33, far = 1.0;
  const double box[16] = {3.0 / 400, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, -0.01, 0, 0, 0, 0, 1};
  const double perspective[16] = {f, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + n) / (n - far), -1,
                                  0, 0, 2 * far * n / (n - far), 0};
  double want[16];
  Multiply(box, perspective, want);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], 1e-6 + std::fabs(want[i]) * 1e-6) << "element " << i;
  float modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_EQ(modelview[0], 1.0f) << "the model-view stack is the other one";
}

// A pop restores, a pop of the last matrix and a push past the depth of 32
// are refused, and a quarter turn about z takes x to y.
TEST_F(Matrices, StacksRestoreAndKeepTheirLimits) {
  glMatrixMode(GL_MODELVIEW);
  glRotatef(90, 0, 0, 1);
  float turned[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, turned);
  EXPECT_NEAR(turned[0], 0, 1e-7);
  EXPECT_NEAR(turned[1], 1, 1e-7);
  glPushMatrix();
  glTranslatef(5, 0, 0);
  glPopMatrix();
  glPopMatrix();  // the last one: refused
  float after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], turned[i]) << "element " << i;
  for (int i = 0; i < 40; ++i) {
    glPushMatrix();
    glTranslatef(1, 0, 0);
  }
  for (int i = 0; i < 40; ++i) glPopMatrix();
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  EXPECT_NEAR(after[12], 0, 1e-6) << "more pushes than the stack holds must be refused, not wrap";
}

// Set 0 of the overlay: the list base minus 32 and bytes read as signed.
// Here two squares (red, green) under a base two past them: bytes -2, -1,
// then 5 (a list never compiled: nothing, and the pen stays), then -2 again.
// Compiling draws nothing.
TEST_F(Matrices, CallListsAddsSignedBytesToTheBase) {
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, 64, 0, 8, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  unsigned base = glGenLists(8);
  CompileSquare(base, 1, 0, 0);
  CompileSquare(base + 1, 0, 1, 0);
  EXPECT_EQ(PixelAt(4, 4)[0], 0) << "a list compiled with GL_COMPILE was drawn";
  glListBase(base + 2);
  const signed char calls[] = {-2, -1, 5, -2};
  glCallLists(4, GL_BYTE, calls);
  EXPECT_EQ(PixelAt(4, 4), (std::array<int, 4>{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(12, 4), (std::array<int, 4>{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(20, 4), (std::array<int, 4>{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(28, 4)[0] + PixelAt(28, 4)[1], 0) << "a missing list moved the pen";
  glDeleteLists(base, 8);
  glLoadIdentity();
  glTranslatef(32, 0, 0);
  glCallLists(1, GL_BYTE, calls);
  EXPECT_EQ(PixelAt(36, 4)[0], 0) << "a deleted list drew";
}
