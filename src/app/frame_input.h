// frame_input.h: the input step after every buffer swap: the pointer's motion
// since the last frame and the held keys go to the flight model, the cursor
// goes back to its anchor, and the L key flips the lighting switch.
#pragma once

// Runs once after every swap, also while the window is minimised.
void ApplyFrameInput();
