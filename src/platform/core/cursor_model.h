// cursor_model.h: the cursor as the program sees it, one model for every
// backend: the anchor the program last put it at, plus the motion since,
// plus what tools fed. Until the program first puts it somewhere it reads
// where the pointer really is; from then on the pointer counts, and is put
// back, only while it is ours (our window has the input). Where the system
// cannot put the pointer back (Wayland, a page, the offscreen driver) the
// motion it reports is added up instead.
#pragma once

#include "platform/platform.h"

// ===================== what each backend's system does for the model
// Where the pointer really is, in screen coordinates; left as it is where
// the system cannot tell.
void SystemReadPointer(Point *position);
// Whether the pointer is ours: our window has the input focus.
bool SystemPointerIsOurs();
// Puts the pointer there; false where the system cannot.
bool SystemWarpPointer(int x, int y);
// The program has put the cursor on its anchor; relative: motion is added up.
void SystemPointerPlaced(bool relative);

// ===================== from the backend to the model

// Relative motion the system reported while it holds the pointer for us
// (SDL's relative mode, the page's pointer lock).
void ReportPointerMotion(int dx, int dy);
// Motion so far no longer counts: the focus moved, the window went.
void ForgetPointerMotion();
// Whether motion is being added up rather than read from the pointer.
bool PointerMotionIsRelative();
// The cursor not yet placed, as at start.
void ResetCursorModel();
