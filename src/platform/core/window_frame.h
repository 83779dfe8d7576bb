// window_frame.h: the frame a decorated window adds around its client area,
// one model shared by every backend so that growing a client rectangle and
// shrinking it back always agree.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Pixels the frame adds on each side for a window style (all 0 for a popup).
Rect WindowFrameInsets(uint32_t style);
