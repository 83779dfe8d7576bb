// The subset's textures (all in one atlas, repeating with linear filtering
// across their edges as GL_REPEAT does) and its batching (primitives drawn
// together while the state allows, always in the order given), as pixels.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "subset_context.h"

namespace {

struct Subset : testing::Test {
  void SetUp() override { ASSERT_TRUE(MakeSubsetContextCurrent(64, 64)); }
};

// Pixel space: (0, 0) to (64, 64).
void PixelProjection() {
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, 64, 0, 64, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

unsigned SolidTexture(int width, int height, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  std::vector<unsigned char> rgba;
  for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), {r, g, b, a});
  unsigned name;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return name;
}

// A textured square from (x0, y0) to (x1, y1) with texture coordinates
// (s0, t0) to (s1, t1).
void Square(float x0, float y0, float x1, float y1, float s0 = 0, float t0 = 0, float s1 = 1, float t1 = 1) {
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex3f(x0, y0, 0);
  glTexCoord2f(s1, t0);
  glVertex3f(x1, y0, 0);
  glTexCoord2f(s1, t1);
  glVertex3f(x1, y1, 0);
  glTexCoord2f(s0, t1);
  glVertex3f(x0, y1, 0);
  glEnd();
}

void ExpectNear(std::array<int, 4> got, int r, int g, int b, int within, const char *what) {
  EXPECT_NEAR(got[0], r, within) << what;
  EXPECT_NEAR(got[1], g, within) << what;
  EXPECT_NEAR(got[2], b, within) << what;
}

}  // namespace

// A texture of two texels, red then blue, across the frame: at the left edge
// the filter reaches round to the blue texel, at the right edge round to the
// red one; in the middle of each texel it is pure.
TEST_F(Subset, RepeatFiltersAcrossTheEdges) {
  PixelProjection();
  const unsigned char texels[8] = {255, 0, 0, 255, 0, 0, 255, 255};
  unsigned name;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  glEnable(GL_TEXTURE_2D);
  Square(0, 0, 64, 64);
  // Pixel 0's centre is s = 1/128: 0.484 of the way from the wrapped blue
  // texel's centre (s = -1/4) to the red one's (s = 1/4).
  ExpectNear(PixelAt(0, 32), 131, 0, 124, 2, "left edge");
  ExpectNear(PixelAt(63, 32), 124, 0, 131, 2, "right edge");
  ExpectNear(PixelAt(16, 32), 251, 0, 4, 2, "red texel");
  ExpectNear(PixelAt(48, 32), 4, 0, 251, 2, "blue texel");
}

// Sixteen textures of 300x300 outgrow the atlas's first size; each square
// still shows its own. A texture whose image is replaced between two draws
// shows the old image in the first. A texture without an image draws the
// current colour, as if texturing were off.
TEST_F(Subset, TexturesKeepTheirImagesThroughTheAtlas) {
  PixelProjection();
  glEnable(GL_TEXTURE_2D);
  for (int i = 0; i < 16; ++i) SolidTexture(300, 300, (unsigned char)(i * 16), (unsigned char)(255 - i * 16), 77, 255);
  for (int i = 0; i < 16; ++i) {
    glBindTexture(GL_TEXTURE_2D, (unsigned)i + 1);
    Square((float)(i % 4) * 16, (float)(i / 4) * 16, (float)(i % 4) * 16 + 16, (float)(i / 4) * 16 + 16);
  }
  for (int i = 0; i < 16; ++i)
    ExpectNear(PixelAt(i % 4 * 16 + 8, i / 4 * 16 + 8), i * 16, 255 - i * 16, 77, 1, "one of sixteen textures");

  unsigned changing = SolidTexture(4, 4, 255, 0, 0, 255);
  Square(0, 0, 32, 16);
  const std::vector<unsigned char> green(4 * 4 * 4, 255);
  std::vector<unsigned char> image = green;
  for (size_t i = 0; i < image.size(); i += 4) image[i] = image[i + 2] = 0;
  glBindTexture(GL_TEXTURE_2D, changing);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
  Square(32, 0, 64, 16);
  ExpectNear(PixelAt(16, 8), 255, 0, 0, 1, "drawn before the image changed");
  ExpectNear(PixelAt(48, 8), 0, 255, 0, 1, "drawn after");

  unsigned empty;
  glGenTextures(1, &empty);
  glBindTexture(GL_TEXTURE_2D, empty);
  glColor3f(0.2f, 0.4f, 0.6f);
  Square(0, 48, 64, 64);
  ExpectNear(PixelAt(32, 56), 51, 102, 153, 1, "texture without an image");
}

// Depth test, blending and their switches take effect between primitives in
// the order given, however the primitives are drawn together: a red square,
// a blue one behind it (hidden), with the depth test off a green one over
// both, then half-transparent white blended over the green.
TEST_F(Subset, StateChangesTakeEffectInOrder) {
  PixelProjection();
  unsigned halfWhite = SolidTexture(1, 1, 255, 255, 255, 128);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glColor3f(1, 0, 0);
  PlainSquare(0, 0, 64, 64, 0.5f);
  glColor3f(0, 0, 1);
  PlainSquare(0, 0, 32, 64, -0.5f);  // z = -0.5 is farther in this projection
  glDisable(GL_DEPTH_TEST);
  glColor3f(0, 1, 0);
  Square(32, 0, 64, 32);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, halfWhite);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor3f(1, 1, 1);
  Square(48, 0, 64, 16);
  glDisable(GL_BLEND);
  ExpectNear(PixelAt(16, 48), 255, 0, 0, 0, "the blue square behind the red one");
  ExpectNear(PixelAt(40, 24), 0, 255, 0, 0, "green with the depth test off");
  ExpectNear(PixelAt(56, 8), 128, 255, 128, 1, "half white over green");
}

// Batches stream into buffers made once and refilled round and round: three
// frames of four batches, each a column of 4,000 squares (almost 1 MB of
// vertices: the first frame outgrows the buffer, the third wraps round it). Every
// column shows its own batch's colour of the latest frame: a batch drawn from
// another's part of the buffer, or from what the frame before left there,
// shows another.
TEST_F(Subset, StreamedBatchesDrawFromTheirOwnPartOfTheBuffer) {
  PixelProjection();
  for (int frame = 0; frame < 3; ++frame) {
    for (int column = 0; column < 4; ++column) {
      glDepthFunc(column % 2 ? GL_LEQUAL : GL_LESS);  // a change of state: a batch of its own
      glColor3f(column == frame ? 1.0f : 0.0f, column / 3.0f, frame / 2.0f);
      for (int i = 0; i < 4000; ++i) PlainSquare(column * 16.0f, 0, column * 16.0f + 16, 64, 0);
    }
    glFlush();  // the frame's end
    for (int column = 0; column < 4; ++column)
      ExpectNear(PixelAt(column * 16 + 8, 32), column == frame ? 255 : 0, column * 85, frame * 255 / 2, 1,
                 "the column's own colour");
  }
}

// A batch that comes again unchanged is drawn from buffers kept from the
// frames before; every change must show instead. Each picture three frames
// running (streamed, kept, drawn from the kept buffers), each one change on
// the last: the squares climb, the left one's texture, the right one's
// colour, the lighting.
TEST_F(Subset, KeptBatchesDrawEveryChange) {
  PixelProjection();
  unsigned red = SolidTexture(1, 1, 255, 0, 0, 255), green = SolidTexture(1, 1, 0, 255, 0, 255);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHT0);  // white, from the viewer's side, where lighting is on
  struct Picture {
    float y;
    unsigned texture;
    float blue;
    bool lit;
    std::array<int, 3> left, right;
  };
  const Picture pictures[] = {{0, red, 0, false, {255, 0, 0}, {255, 255, 0}},
                              {32, red, 0, false, {255, 0, 0}, {255, 255, 0}},
                              {32, green, 0, false, {0, 255, 0}, {255, 255, 0}},
                              {32, green, 1, false, {0, 255, 0}, {255, 255, 255}},
                              {32, green, 1, true, {0, 214, 0}, {214, 214, 214}}};  // 0.2 * 0.2 + 0.8 of light 0
  for (const Picture &p : pictures)
    for (int frame = 0; frame < 3; ++frame) {
      glClear(GL_COLOR_BUFFER_BIT);
      if (p.lit) glEnable(GL_LIGHTING);
      glColor3f(1, 1, 1);
      glBindTexture(GL_TEXTURE_2D, p.texture);
      Square(0, p.y, 32, p.y + 32);
      glBindTexture(GL_TEXTURE_2D, 0);
      glColor3f(1, 1, p.blue);
      PlainSquare(32, p.y, 64, p.y + 32, 0);
      glDisable(GL_LIGHTING);
      glFlush();
      ExpectNear(PixelAt(16, (int)p.y + 16), p.left[0], p.left[1], p.left[2], 1, "the left square");
      ExpectNear(PixelAt(48, (int)p.y + 16), p.right[0], p.right[1], p.right[2], 1, "the right square");
      if (p.y > 0) ExpectNear(PixelAt(16, 16), 0, 0, 0, 0, "nothing left where the squares were");
    }
}

// Mesa splits a quad whose corners are not in one plane (here by colour)
// along a c where the quad lies in view, along b d where it reaches out of
// it; the terrain's cells and the swaying billboards look like Mesa's only so.
TEST_F(Subset, QuadsSplitAsMesaSplitsThem) {
  for (bool reachOut : {false, true}) {
    ASSERT_TRUE(MakeSubsetContextCurrent(64, 64));
    glBegin(GL_QUADS);
    glColor3f(1, 1, 1);
    glVertex3f(-1, -1, 0);
    glColor3f(0, 0, 0);
    glVertex3f(1, -1, 0);
    glVertex3f(1, 1, reachOut ? 3.0f : 0.0f);  // beyond the far plane, still over the same pixels
    glVertex3f(-1, 1, 0);
    glEnd();
    // (14, 24) lies on the left of a c; along a c it is in a c d with 0.62 of
    // a's white, along b d in a b d with 0.39.
    int white = PixelAt(14, 24)[0];
    if (reachOut)
      EXPECT_NEAR(white, 99, 3) << "a quad reaching out of view splits along b d";
    else
      EXPECT_NEAR(white, 158, 3) << "a quad in view splits along a c";
  }
}

// Seen from its centre, the inside of a sphere fills the view; gluSphere
// (inside, smooth normals) leaves the normal of its last vertex current, the
// bottom pole's, turned inwards: up, which lights what the frame draws next.
TEST_F(Subset, SphereFillsTheViewFromInsideAndLeavesItsLastNormal) {
  glMatrixMode(GL_PROJECTION);
  gluPerspective(90, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glColor3f(1, 1, 1);
  GLUquadric *quadric = gluNewQuadric();
  gluQuadricDrawStyle(quadric, GLU_FILL);
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, GL_TRUE);
  gluQuadricOrientation(quadric, GLU_INSIDE);
  gluSphere(quadric, 10, 12, 12);
  gluDeleteQuadric(quadric);
  float normal[3];
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_NEAR(normal[0], 0, 1e-6);
  EXPECT_NEAR(normal[1], 0, 1e-6);
  EXPECT_NEAR(normal[2], 1, 1e-6);
  for (int y = 0; y < 64; y += 9)
    for (int x = 0; x < 64; x += 9) EXPECT_EQ(PixelAt(x, y)[0], 255) << "uncovered at " << x << "," << y;
}

// GL_RGB rows are packed to the pack alignment: 3 pixels of 3 bytes are 9,
// padded to 12 with the default alignment of 4; the padding is not written.
TEST_F(Subset, ReadPixelsPacksRgbRows) {
  PixelProjection();
  glColor3f(1, 0.5f, 0);
  Square(0, 0, 64, 64);
  std::vector<unsigned char> rows(24, 7);
  glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(rows[row * 12 + x * 3], 255);
      EXPECT_NEAR(rows[row * 12 + x * 3 + 1], 128, 1);
      EXPECT_EQ(rows[row * 12 + x * 3 + 2], 0);
    }
    for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(rows[row * 12 + pad], 7) << "padding written";
  }
}
