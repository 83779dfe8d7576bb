// frame_rate.h: the frames per second, printed once a second on standard
// output while the viewer runs with --fps.
#pragma once

// Counts one presented frame; prints the rate when a second has passed.
void CountFrameForRate();
