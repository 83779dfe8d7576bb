// frame.h: drawing one frame of the landscape, and the clock that drives it.
#pragma once

extern float sceneClock;  // grows by 0.07 at the start of every frame, never reset

// The frame's fog and its one light (never modified).
extern const float fogColour[4];
extern const float lightAmbient[4];
extern const float lightDiffuse[4];
extern const float lightPosition[4];
extern const float lightSpotDirection[3];

// The user's lighting switch between frames. The frame enables lighting again
// before it draws anything, so the picture never shows it.
void SwitchLighting(bool on);

// Draws one frame into the back buffer: sky, terrain, ground, 100 swaying
// vegetation clumps under fog and light, then the overlay. Always 1.
int RenderFrame();
