// gl_handles.h: device contexts and GL rendering contexts as handles the
// core keeps, over the backend's own surfaces and contexts.
#pragma once

#include "platform/core/system.h"

// The window is going: a context current on it is let go first.
void LetGoOfWindowsContext(const PlatformWindow *window);
// No devices, no contexts, none current, as at start.
void ResetGlHandles();
