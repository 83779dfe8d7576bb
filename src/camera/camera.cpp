// camera.cpp: the flight model. Every change is a fixed step per frame.
#include "camera/camera.h"

#include <GL/gl.h>

#include "app/window_proc.h"
#include "platform/platform.h"
#include "scene/frame.h"

CameraState cameraState;

namespace {

const int anchorX = 512, anchorY = 384;
const long double mouseFactor = 0.02L;
const float mouseScale = 5.0f;
const float pitchDecay = 0.7f;
const float pitchScale = 0.5f;
const float viewTiltOffset = 60.0f;
const float bankStep = 0.2f, bankLimit = 4.0f;
const float dollyStep = 7.0f;
const float climbThreshold = 1.0f, climbStep = 0.89f;
const float lowestAltitude = 10.0f, highestAltitude = 25.0f;
const float yawFactor = 4.0f;

Point cursorPosition;

// The L key flips lighting once per press. The frame enables lighting again
// before it draws, so this never changes the picture.
void ToggleLighting() {
  if (!keyState.slot['L']) {
    keyState.slot[lightingLatch] = 0;
    return;
  }
  if (keyState.slot[lightingLatch]) return;
  keyState.slot[lightingLatch] = 1;
  keyState.slot[lightingFlag] = !keyState.slot[lightingFlag];
  if (keyState.slot[lightingFlag])
    glEnable(GL_LIGHTING);
  else
    glDisable(GL_LIGHTING);
}

void AdvanceAltitude() {
  CameraState &c = cameraState;
  if (c.climbButton >= climbThreshold) {
    c.altitude += climbStep;
    if (c.altitude > highestAltitude) c.altitude = highestAltitude;
  } else {
    c.altitude -= climbStep;
    if (c.altitude < lowestAltitude) c.altitude = lowestAltitude;
  }
}

void AdvancePitch() {
  CameraState &c = cameraState;
  c.pitchRate *= pitchDecay;  // the decay comes before the sum
  c.pitchSum += c.pitchRate;
  c.pitch = c.pitchSum * pitchScale;
  if (c.pitch > 0.0f) c.pitch = 0.0f;
  if (c.pitch < -180.0f) c.pitch = -180.0f;
}

// Rolls toward the held direction, or eases back to exactly level.
void AdvanceBank() {
  CameraState &c = cameraState;
  if (c.bankDirection == 1.0f) {
    c.bank -= bankStep;
    if (c.bank < -bankLimit) c.bank = -bankLimit;
  }
  if (c.bankDirection == -1.0f) {
    c.bank += bankStep;
    if (c.bank > bankLimit) c.bank = bankLimit;
  }
  if (c.bankDirection == 0.0f) {
    if (c.bank > 0.0f) {
      c.bank -= bankStep;
      if (c.bank < 0.0f) c.bank = 0.0f;
    }
    if (c.bank < 0.0f) {
      c.bank += bankStep;
      if (c.bank > 0.0f) c.bank = 0.0f;
    }
  }
}

}  // namespace

void ApplyFrameInput() {
  CameraState &c = cameraState;
  GetCursorPosition(&cursorPosition);
  SetCursorPosition(anchorX, anchorY);
  c.pitchRate = (float)(c.pitchRate - (anchorY - cursorPosition.y) * mouseFactor * mouseScale);
  if (keyState.slot[VK_LEFT]) c.bankDirection = 1.0f;
  if (keyState.slot[VK_RIGHT]) c.bankDirection = -1.0f;
  if (keyState.slot['A']) c.dolly += dollyStep;
  if (keyState.slot['S']) c.dolly -= dollyStep;
  ToggleLighting();
}

void AdvanceCamera() {
  CameraState &c = cameraState;
  c.originX = 0.0f;
  c.originY = 0.0f;
  c.originZ = -c.altitude;  // drawn at the height reached in the previous frame
  AdvanceAltitude();
  AdvancePitch();
  AdvanceBank();
}

void ApplyViewTransform() {
  const CameraState &c = cameraState;
  glTranslatef(0.0f, 0.0f, c.dolly);
  glRotatef(c.bank, 0.0f, 0.0f, 1.0f);
  glRotatef(c.pitch - viewTiltOffset, 1.0f, 0.0f, 0.0f);
  glRotatef(sceneClock * yawFactor, 0.0f, 0.0f, 1.0f);
}
