// frame.h: drawing one frame of the landscape, and the clock that drives it.
#pragma once

// The scene's clock: grows by 0.07 at the start of every frame, in single
// precision, and is never reset. A float that grew for ever would lose its
// step (after days it stands still), so whenever it reaches four whole turns
// of the view (360) it is wound back by them: the view's turn is the same.
// The sway's waves do not repeat after 360, so what was wound back is kept
// for them, modulo their period (4π), in swayPhase: the sway's time is
// swayPhase + sceneClock. Until the first winding both are the plain sum.
extern float sceneClock;
extern double swayPhase;

// Puts the clock where `elapsed` (0.07 a frame) leaves it, as if the frames
// had been drawn: how long runs are tried without drawing them.
void PlaceSceneClock(double elapsed);

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
