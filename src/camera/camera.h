// camera.h: the viewer's pose and flight model: input to rates once per frame,
// rates to angles and height once per frame, and the view transform.
#pragma once

struct CameraState {
  float originX, originY, originZ;  // the render origin every object is placed from
  float altitude;                   // 10 to 25 once the first frame is drawn
  float climbButton;                // right-button presses minus releases
  float dolly;                      // the scene's shift along the line of sight
  float pitchRate;                  // tilt speed from vertical mouse motion
  float pitchSum;                   // running sum of tilt speeds, never clamped
  float pitch;                      // tilt in degrees, -180 to 0
  float bank;                       // roll in degrees, -4 to 4
  float bankDirection;              // 1 Left, -1 Right, 0 after any key release
};

extern CameraState cameraState;  // program-wide, all 0 at start, never reset

// What the flight model reads after a frame: how far the pointer rose since
// the last frame (pixels, upward positive) and which steering keys are held.
struct FlightInput {
  int pointerRise;
  bool rollLeft, rollRight;          // Left and Right
  bool moveForward, moveBack;        // A and S
};

// After every swap: motion and keys to rates, flags and steps.
void ApplyFlightInput(const FlightInput &input);
// Once per frame before drawing: rates to angles and height; sets the origin.
void AdvanceCamera();
// Multiplies roll, tilt, the clock's yaw and the dolly onto the model-view matrix.
void ApplyViewTransform(float sceneClock);
