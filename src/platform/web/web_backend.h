// web_backend.h: what the web backend's files share among themselves: the
// page's elements, and the few calls one file makes of another (always
// downwards). Not for the program: it sees only platform.h.
#pragma once

#include "platform/core/system.h"

// The canvas stands for the program's one window: its client area is the
// canvas's drawing buffer, shown scaled to the page (or to the screen in
// fullscreen). The stage is the element that goes fullscreen around it
// (see shell.html).
inline constexpr const char *canvasSelector = "#canvas";
inline constexpr const char *stageSelector = "#stage";

// ---- web_events.cpp: starts listening to the page's keys, mouse, pointer
// lock, fullscreen and visibility.
void ListenToPage();

// ---- web_touch.cpp: fingers and pens on the page as the viewer's gestures
// (platform/core/touch_gestures.h).
void ListenToTouches();
// The time now, at every pass: a finger held still climbs.
void FollowTouchTime();
// Whatever the fingers hold is let go (the page is hidden).
void LetGoOfTouches();

// ---- web_rest.cpp: the page at rest, for as long as any reason holds: no
// frame is drawn, so the world does not step, and the sound is paused;
// afterwards everything goes on from where it was.
enum PageRestReason : unsigned { pageHidden = 1, glContextLost = 2 };
void SetPageRest(PageRestReason reason, bool resting);
bool PageIsResting();

// ---- web_fullscreen.cpp: the fullscreen the program asked for, left.
void LeavePageFullscreen();
// Called when the page leaves fullscreen by itself (Esc, the browser's own
// controls) or refuses to enter it, so the program can switch back.
void PageLeftFullscreen();

// ---- web_sound.cpp: the first gesture on the page (a key, a click or a
// touch) lets it make sound.
void StartSoundOnGesture();
void StopSoundPlayback();
// The sound holds where it is, and goes on from there.
void PauseSoundPlayback(bool paused);
