// The frame's shapes as the GL receives them, where the recorded calls
// (frame_calls_test) cannot tell: a terrain patch asked for more cells than
// the grid holds, the sky sphere's facing, and billboards painting over
// nearer things through their keyed texture.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assets/texture_set.h"
#include "scene/draw_primitives.h"
#include "scene/terrain.h"
#include "support/recording_platform.h"

namespace {

struct FedVertex {
  float x, y, z, s, t;
};
typedef std::vector<FedVertex> Polygon;

// An orthographic box large enough for the whole terrain patch, so nothing is
// clipped and window coordinates map back to object coordinates.
const double box = 8192.0;
const int viewWidth = 1024, viewHeight = 768;

struct Primitives : testing::Test {
  void SetUp() override {
    ASSERT_TRUE(MakeTestGLContextCurrent(viewWidth, viewHeight));
    ASSERT_EQ(LoadTextureSet(), 1);
    glViewport(0, 0, viewWidth, viewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-box, box, -box, box, -box, box);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
  }
};

FedVertex Unproject(const float *w) {
  return FedVertex{(float)((w[0] / viewWidth * 2 - 1) * box), (float)((w[1] / viewHeight * 2 - 1) * box),
                   (float)(-(w[2] * 2 - 1) * box), w[7], w[8]};
}

// Runs the drawing in feedback mode; the polygons in order, each quad in
// whatever pieces the GL makes of it.
template <typename Draw>
std::vector<Polygon> Capture(Draw draw, size_t bufferFloats = 4 << 20) {
  std::vector<GLfloat> buffer(bufferFloats);
  glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  int count = glRenderMode(GL_RENDER);
  std::vector<Polygon> polygons;
  const int stride = 11;  // x y z, colour rgba, texture stqr
  for (int i = 0; i < count;) {
    if (buffer[i] != GL_POLYGON_TOKEN) {
      ++i;
      continue;
    }
    int n = (int)buffer[i + 1];
    Polygon polygon;
    for (int v = 0; v < n; ++v) polygon.push_back(Unproject(&buffer[i + 2 + v * stride]));
    polygons.push_back(polygon);
    i += 2 + n * stride;
  }
  return polygons;
}

GLint BoundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return name;
}

}  // namespace

TEST_F(Primitives, TerrainPatchNeverReadsPastTheGrid) {
  GenerateTerrain();
  // More cells than the grid holds are cut to the whole grid.
  std::vector<Polygon> whole = Capture([] { DrawTerrainPatch(-3755, -3755, 0, 200, 7, 0.7f); }, 16 << 20);
  std::vector<Polygon> asked = Capture([] { DrawTerrainPatch(-3755, -3755, 0, 250, 7, 0.7f); }, 16 << 20);
  EXPECT_EQ(asked.size(), whole.size());
  EXPECT_EQ(whole.size() % 40000, 0u);
  EXPECT_GT(whole.size(), 0u);
}

TEST_F(Primitives, SkySphereSurroundsItsCentreFacingInwardAndLeavesTheMatrix) {
  std::vector<Polygon> polygons = Capture([] { DrawSkySphere(100, -200, 300, 2000); });
  EXPECT_EQ(BoundTexture(), (GLint)textureSet.textureNames[SlotSky]);
  ASSERT_GT(polygons.size(), 100u);  // 12 slices by 12 stacks
  int inward = 0, facets = 0;
  for (const Polygon &p : polygons) {
    for (const FedVertex &v : p) {
      double distance = std::sqrt((v.x - 100.0) * (v.x - 100.0) + (v.y + 200.0) * (v.y + 200.0) +
                                  (v.z - 300.0) * (v.z - 300.0));
      ASSERT_NEAR(distance, 2000.0, 0.5);
      ASSERT_GE(v.s, 0.0f);
      ASSERT_LE(v.s, 1.0f);
    }
    // The front face (counter-clockwise) looks toward the centre.
    double ax = p[1].x - p[0].x, ay = p[1].y - p[0].y, az = p[1].z - p[0].z;
    double bx = p[2].x - p[0].x, by = p[2].y - p[0].y, bz = p[2].z - p[0].z;
    double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
    double toCentre = nx * (100 - p[0].x) + ny * (-200 - p[0].y) + nz * (300 - p[0].z);
    if (std::fabs(toCentre) < 1.0) continue;  // a pole's sliver
    ++facets;
    inward += toCentre > 0;
  }
  EXPECT_EQ(inward, facets);
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], k % 5 == 0 ? 1.0f : 0.0f) << k;
}

// A billboard behind a nearer red wall is painted over it where its texture
// is opaque, and leaves the wall where it is see-through.
TEST_F(Primitives, BillboardPaintsOverNearerThingsThroughItsKeyedTexture) {
  glRotatef(-90, 1, 0, 0);  // scene z up the screen, scene y into it
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 0, 0);
  glBegin(GL_QUADS);  // the wall, at y = -100: nearer than the billboard
  glVertex3f(-4000, -100, -4000);
  glVertex3f(4000, -100, -4000);
  glVertex3f(4000, -100, 4000);
  glVertex3f(-4000, -100, 4000);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  DrawBillboardCross(0, 100, -2000, 2000, 4000, 0, 0, SlotBush);
  // The billboard covers x -2000..2000 and z -2000..2000: the middle half of
  // the window across, and half of its height.
  std::vector<unsigned char> pixels(256 * 192 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(384, 288, 256, 192, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  int wall = 0, plant = 0;
  for (size_t p = 0; p < pixels.size(); p += 3) {
    bool red = pixels[p] == 255 && pixels[p + 1] == 0 && pixels[p + 2] == 0;
    wall += red;
    plant += !red && pixels[p + 1] > pixels[p];
  }
  EXPECT_GT(plant, 256 * 192 / 10);  // over the nearer wall: no depth test
  EXPECT_GT(wall, 256 * 192 / 20);   // key-black texels are see-through
}
