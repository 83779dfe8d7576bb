// frame.cpp: one frame, rebuilt from scratch: per-frame GL state, the camera,
// the landscape in a fixed order, the vegetation, the overlay.
#include "scene/frame.h"

#include <GL/gl.h>

#include <cmath>

#include "assets/texture_set.h"
#include "camera/camera.h"
#include "scene/draw_primitives.h"
#include "scene/random_source.h"
#include "scene/scene_init.h"
#include "scene/terrain.h"
#include "scene/text_overlay.h"

float sceneClock = 0.0f;
double swayPhase = 0.0;

namespace {

constexpr float clockStep = 0.07f;
constexpr int clumpCount = 100;
constexpr float fieldHalfSize = 50.0f;  // the vegetation and the ground quad span -50 to 50
constexpr float skyRadius = 2000.0f;
// Four turns of the view (4 degrees a unit). Below it a float's step is
// within 0.03 % of 0.07; 360 itself and the difference are exact.
constexpr float clockWinding = 360.0f;
constexpr double swayPeriod = 4.0 * 3.14159265358979323846;  // of sin t, sin t/2 and cos t/2

void AdvanceSceneClock() {
  sceneClock += clockStep;
  if (sceneClock < clockWinding) return;
  sceneClock -= clockWinding;
  swayPhase = std::fmod(swayPhase + clockWinding, swayPeriod);
}

// Depth, hints, fog and light are set again every frame, so nothing done
// between frames (the L toggle) shows.
void SetFrameState() {
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
}

void SetFogAndLight() {
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_DENSITY, 0.002f);
  glHint(GL_FOG_HINT, GL_FASTEST);
  glEnable(GL_FOG);
  // Given under the identity matrix, the light travels with the viewer.
  glLightfv(GL_LIGHT1, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
  glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, lightSpotDirection);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
}

// One sway value: the clock's wave plus one random jitter step.
float Sway(double wave, double jitterDivisor) { return (float)(wave + RandomBelow(4) / jitterDivisor); }

// Three billboards: fern, bush, grass. Within each, the sway across x draws
// its random number before the sway across y.
void DrawClump(int k) {
  const CameraState &c = cameraState;
  const double t = swayPhase + sceneClock;
  const float a = clumpOffsetA[k], b = clumpOffsetB[k];
  float swayX = Sway(sin(t), 8.1);
  float swayY = Sway(sin(t), 6.1);
  DrawBillboardCross(c.originX + a - fieldHalfSize, c.originY + b - fieldHalfSize, c.originZ, 1.0f, 10.0f,
                     swayY, swayX, SlotFern);
  swayX = Sway(0.5 * sin(0.5 * t), 10.1);
  swayY = Sway(0.5 * sin(0.5 * t), 10.1);
  DrawBillboardCross(c.originX + b - fieldHalfSize, c.originY + a - fieldHalfSize, c.originZ, 4.0f, 5.0f,
                     swayY, swayX, SlotBush);
  swayX = Sway(0.5 * cos(0.5 * t), 5.1);
  swayY = Sway(0.5 * cos(0.5 * t), 5.1);
  DrawBillboardCross(c.originX + b + 5.0f - fieldHalfSize, c.originY + a - 2.0f - fieldHalfSize, c.originZ,
                     2.0f, 4.0f, swayY, swayX, SlotGrass);
}

void DrawLandscape() {
  const CameraState &c = cameraState;
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawSkySphere(c.originX, c.originY, c.originZ, skyRadius);
  DrawTerrainPatch(c.originX - 250.0f, c.originY - 50.0f, c.originZ + 140.0f, 40, 7, 0.7f);
  DrawGroundQuad(c.originX - fieldHalfSize, c.originY - fieldHalfSize, c.originZ, 2 * fieldHalfSize,
                 SlotGrass1, 1.0f);
  for (int k = 0; k < clumpCount; ++k) DrawClump(k);
}

}  // namespace

void PlaceSceneClock(double elapsed) {
  double windings = std::floor(elapsed / clockWinding);
  sceneClock = (float)(elapsed - windings * clockWinding);
  swayPhase = std::fmod(windings * clockWinding, swayPeriod);
}

void SwitchLighting(bool on) {
  if (on)
    glEnable(GL_LIGHTING);
  else
    glDisable(GL_LIGHTING);
}

int RenderFrame() {
  AdvanceSceneClock();
  glLoadIdentity();
  SetFrameState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetFogAndLight();
  AdvanceCamera();
  ApplyViewTransform(sceneClock);
  DrawLandscape();
  if (!sceneOptions.captionless) DrawOverlayLines();
  return 1;
}
