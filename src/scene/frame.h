// frame.h: drawing one frame of the landscape, and the clock that drives it.
#pragma once

extern float sceneClock;  // grows by 0.07 at the start of every frame, never reset

// The frame's fog and its one light (never modified).
inline constexpr float fogColour[4] = {0.5f, 0.5f, 0.6f, 1.0f};
inline constexpr float lightAmbient[4] = {0.5f, 0.5f, 0.6f, 1.0f};
inline constexpr float lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr float lightPosition[4] = {50.0f, 50.0f, 1.0f, 1.0f};
inline constexpr float lightSpotDirection[3] = {50.0f, 50.0f, 0.0f};

// The user's lighting switch between frames. The frame enables lighting again
// before it draws anything, so the picture never shows it.
void SwitchLighting(bool on);

// Draws one frame into the back buffer: sky, terrain, ground, 100 swaying
// vegetation clumps under fog and light, then the overlay. Always 1.
int RenderFrame();
