// The lighting and fog of the subset against GL 1.1's equations worked out
// here: the default material (ambient 0.2, diffuse 0.8, alpha 1) and light
// model (ambient 0.2), a positional light fixed where the model-view put it,
// normals carried by the model-view, GL_EXP fog by eye distance.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "subset_context.h"

namespace {

const float ambient[4] = {0.5f, 0.5f, 0.6f, 1.0f};
const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// A small square of side 0.1 round (x, y) in the z = 0 plane, the view the
// identity: its vertices see the light almost alike.
void SmallSquare(float x, float y) {
  glBegin(GL_QUADS);
  glVertex3f(x - 0.05f, y - 0.05f, 0);
  glVertex3f(x + 0.05f, y - 0.05f, 0);
  glVertex3f(x + 0.05f, y + 0.05f, 0);
  glVertex3f(x - 0.05f, y + 0.05f, 0);
  glEnd();
}

void LightAt(float x, float y, float z) {
  const float position[4] = {x, y, z, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
}

// GL's lit colour of one channel for a cosine between normal and light.
int LitChannel(float lightAmbient, double cosine) {
  double c = 0.2 * 0.2 + lightAmbient * 0.2 + std::fmax(cosine, 0.0) * 0.8;
  return (int)std::lround(std::fmin(c, 1.0) * 255);
}

void ExpectPixel(int x, int y, int r, int g, int b) {
  std::array<int, 4> p = PixelAt(x, y);
  EXPECT_NEAR(p[0], r, 2) << "at " << x << "," << y;
  EXPECT_NEAR(p[1], g, 2) << "at " << x << "," << y;
  EXPECT_NEAR(p[2], b, 2) << "at " << x << "," << y;
}

struct Lighting : testing::Test {
  void SetUp() override { ASSERT_TRUE(MakeSubsetContextCurrent(64, 64)); }
};

}  // namespace

// The light over the square's corner: the cosine is 1/sqrt(1.25); with the
// normal turned away only the ambient parts are left; lighting off, the
// current colour; the lit alpha is the material's 1 (blending shows it).
TEST_F(Lighting, DefaultMaterialUnderAPositionalLight) {
  glNormal3f(0, 0, 1);
  LightAt(0.5f, 0.0f, 1.0f);
  SmallSquare(0, 0);
  double cosine = 1.0 / std::sqrt(1.25);
  ExpectPixel(32, 32, LitChannel(0.5f, cosine), LitChannel(0.5f, cosine), LitChannel(0.6f, cosine));

  glNormal3f(0, 0, -1);
  SmallSquare(0.5f, 0.5f);
  ExpectPixel(48, 48, LitChannel(0.5f, 0), LitChannel(0.5f, 0), LitChannel(0.6f, 0));

  glDisable(GL_LIGHTING);
  glColor3f(0.25f, 0.5f, 0.75f);
  SmallSquare(-0.5f, 0.5f);
  ExpectPixel(16, 48, 64, 128, 191);

  glEnable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glNormal3f(0, 0, 1);
  SmallSquare(-0.5f, -0.5f);
  glDisable(GL_BLEND);
  double cosineHere = 1.0 / std::sqrt(1.0 + 0.25 + 1.0);  // the light (0.5, 0, 1) seen from (-0.5, -0.5, 0)
  ExpectPixel(16, 16, LitChannel(0.5f, cosineHere), LitChannel(0.5f, cosineHere), LitChannel(0.6f, cosineHere));
}

// The light stays where the model-view put it when it was given, and the
// normal is turned by the model-view: turned a quarter about x, (0, 1, 0)
// faces the viewer.
TEST_F(Lighting, LightAndNormalsFollowTheModelView) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(0.5f, 0, 0);
  LightAt(0, 0, 1);  // at (0.5, 0, 1) in eye coordinates
  glLoadIdentity();
  glRotatef(90, 1, 0, 0);
  glNormal3f(0, 1, 0);
  glBegin(GL_QUADS);  // the square round the origin in the plane the turn makes z = 0
  glVertex3f(-0.05f, 0, 0.05f);
  glVertex3f(0.05f, 0, 0.05f);
  glVertex3f(0.05f, 0, -0.05f);
  glVertex3f(-0.05f, 0, -0.05f);
  glEnd();
  double cosine = 1.0 / std::sqrt(1.25);
  ExpectPixel(32, 32, LitChannel(0.5f, cosine), LitChannel(0.5f, cosine), LitChannel(0.6f, cosine));
}

// White under blue fog at eye distance 500 and 100: e^-(0.002 d) of the
// colour, the rest fog. Without fog, white.
TEST_F(Lighting, ExponentialFogByEyeDistance) {
  const float blue[4] = {0, 0, 1, 1};
  glMatrixMode(GL_PROJECTION);
  glOrtho(-1, 1, -1, 1, 0, 1000);
  glMatrixMode(GL_MODELVIEW);
  glFogfv(GL_FOG_COLOR, blue);
  glFogf(GL_FOG_DENSITY, 0.002f);
  glEnable(GL_FOG);
  glColor3f(1, 1, 1);
  for (float distance : {500.0f, 100.0f}) {
    glLoadIdentity();
    glTranslatef(distance == 500.0f ? -0.5f : 0.5f, 0, -distance);
    SmallSquare(0, 0);
  }
  glDisable(GL_FOG);
  glLoadIdentity();
  glTranslatef(0, 0.5f, -500);
  SmallSquare(0, 0);
  int far = (int)std::lround(std::exp(-1.0) * 255), near = (int)std::lround(std::exp(-0.2) * 255);
  ExpectPixel(16, 32, far, far, 255);
  ExpectPixel(48, 32, near, near, 255);
  ExpectPixel(32, 48, 255, 255, 255);
}
