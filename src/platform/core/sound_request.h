// sound_request.h: what a PlaySoundFile call asks of a backend's sound.
#pragma once

#include <string>

#include "platform/platform.h"

// The file to play, its "\" separators turned to "/", or empty where the
// call asks for nothing new: no path, or SND_NOSTOP while a sound plays.
inline std::string SoundFileToPlay(const char *path, unsigned flags, bool soundPlaying) {
  if (path == nullptr || ((flags & SND_NOSTOP) && soundPlaying)) return std::string();
  std::string file = path;
  for (char &c : file)
    if (c == '\\') c = '/';
  return file;
}
