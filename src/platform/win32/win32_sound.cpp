// win32_sound.cpp: the looping background sound, by Windows' own PlaySound,
// which plays asynchronously, loops, and with SND_NOSTOP leaves a sound that
// is playing alone. The flags and the "\"-separated path are Windows' own.
#include "platform/win32/win32_backend.h"

int PlaySoundFile(const char *path, unsigned flags) { return PlaySoundA(path, nullptr, flags) ? 1 : 0; }

// ===================== shared within the backend

void StopSoundPlayback() { PlaySoundA(nullptr, nullptr, 0); }
