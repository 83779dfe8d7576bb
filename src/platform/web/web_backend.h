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
// lock and fullscreen.
void ListenToPage();

// ---- web_fullscreen.cpp: the fullscreen the program asked for, left.
void LeavePageFullscreen();
// Called when the page leaves fullscreen by itself (Esc, the browser's own
// controls) or refuses to enter it, so the program can switch back.
void PageLeftFullscreen();

// ---- web_sound.cpp: the first gesture on the page (a key or a click) lets
// it make sound.
void StartSoundOnGesture();
void StopSoundPlayback();
