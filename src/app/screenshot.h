// screenshot.h: F12's picture: the frame just drawn, saved as a PNG file in
// the user's pictures folder.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

// Where pictures go: $XDG_PICTURES_DIR, else the pictures folder that the
// user's user-dirs.dirs names, else $HOME. Empty when none is known.
std::string PicturesFolder();

// "talmir-YYYYMMDD-HHMMSS.png" for the given local time.
std::string ScreenshotName(const std::tm &localTime);

// Reads the frame just drawn (the current viewport of the back buffer, before
// the swap) and writes it into the pictures folder under the name of the
// present second, with "-2", "-3", ... when that name is taken. Says where on
// `out`, or why not on `err`. 1 when saved; the viewer runs on either way.
int SaveScreenshot(std::FILE *out, std::FILE *err);
