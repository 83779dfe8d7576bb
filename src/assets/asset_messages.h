// asset_messages.h: the lines on standard error that name a texture or the
// sound Talmir cannot use, the folder it was looked for in, and why. The
// message boxes stay as they are; these lines tell the user which file.
#pragma once

#include <cstdio>

extern std::FILE *assetMessages;  // where the lines go; standard error at start

// "talmir: cannot open PATH in FOLDER: REASON", with the reason errno gives.
void ReportAssetOpenFailure(const char *path, int error);

// "talmir: cannot read PATH in FOLDER: REASON" for a file that opened but the
// bitmap loader refused; the reason is what stopped the mapping (an empty
// file, a folder), else the loader's own text.
void ReportTextureRefused(const char *path, const char *loaderText);

// After the platform did not start the sound: says so when the wave file
// cannot be opened or is no RIFF WAVE file. Silent when the file looks
// sound, since then it was the device (or a sound already playing).
void CheckSoundFile(const char *soundPath);
