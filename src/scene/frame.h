// frame.h: drawing one frame of the landscape, and the clock that drives it.
#pragma once

extern float sceneClock;  // grows by 0.07 at the start of every frame, never reset

// Draws one frame into the back buffer; non-zero lets the main loop go on.
int RenderFrame();
