// camera.cpp: the flight model. Every change is a fixed step per frame.
#include "camera/camera.h"

#include <GL/gl.h>

CameraState cameraState;

namespace {

constexpr long double mouseFactor = 0.02L;
constexpr float mouseScale = 5.0f;
constexpr float pitchDecay = 0.7f;
constexpr float pitchScale = 0.5f;
constexpr float viewTiltOffset = 60.0f;
constexpr float bankStep = 0.2f, bankLimit = 4.0f;
constexpr float dollyStep = 7.0f;
constexpr float climbThreshold = 1.0f, climbStep = 0.89f;
constexpr float lowestAltitude = 10.0f, highestAltitude = 25.0f;
constexpr float yawFactor = 4.0f;

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

void ApplyFlightInput(const FlightInput &input) {
  CameraState &c = cameraState;
  // Moving the mouse up makes the rate more negative, which tilts the view up.
  c.pitchRate = (float)(c.pitchRate - input.pointerRise * mouseFactor * mouseScale);
  // Right wins when both are held; with neither, only a key release levels.
  if (input.rollLeft) c.bankDirection = 1.0f;
  if (input.rollRight) c.bankDirection = -1.0f;
  if (input.moveForward) c.dolly += dollyStep;
  if (input.moveBack) c.dolly -= dollyStep;
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

void ApplyViewTransform(float sceneClock) {
  const CameraState &c = cameraState;
  glTranslatef(0.0f, 0.0f, c.dolly);
  glRotatef(c.bank, 0.0f, 0.0f, 1.0f);
  glRotatef(c.pitch - viewTiltOffset, 1.0f, 0.0f, 0.0f);
  glRotatef(sceneClock * yawFactor, 0.0f, 0.0f, 1.0f);
}
