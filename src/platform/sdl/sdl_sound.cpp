// sdl_sound.cpp: one looping background sound, played in the wave file's own
// format by SDL's audio thread while the program goes on.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/core/sound_request.h"
#include "platform/sdl/sdl_backend.h"

namespace {

struct SoundPlayback {
  SDL_AudioDeviceID device;
  Uint8 *samples;
  Uint32 length;
  Uint32 position;
  bool loop;
};

SoundPlayback playback;

// Runs on SDL's audio thread: copies the next bytes, wrapping at the end
// of the samples while looping, and silence once a single play is over.
void FillAudio(void *userdata, Uint8 *stream, int length) {
  SoundPlayback *sound = (SoundPlayback *)userdata;
  Uint32 wanted = (Uint32)length;
  while (wanted > 0) {
    if (sound->position >= sound->length) {
      if (!sound->loop) {
        SDL_memset(stream, 0, wanted);
        return;
      }
      sound->position = 0;
    }
    Uint32 part = SDL_min(wanted, sound->length - sound->position);
    SDL_memcpy(stream, sound->samples + sound->position, part);
    sound->position += part;
    stream += part;
    wanted -= part;
  }
}

// Sound libraries print their own complaints where there is no sound device;
// for the user a missing device is silent, so standard error is muted while
// the device is looked for and opened.
int MuteStandardError() {
  std::fflush(stderr);
  int saved = dup(2);
  int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null >= 0) {
    dup2(null, 2);
    close(null);
  }
  return saved;
}

void RestoreStandardError(int saved) {
  if (saved < 0) return;
  dup2(saved, 2);
  close(saved);
}

SDL_AudioDeviceID OpenDevice(const SDL_AudioSpec *spec) {
  int saved = MuteStandardError();
  SDL_AudioDeviceID device = 0;
  if (SDL_WasInit(SDL_INIT_AUDIO) || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
    device = SDL_OpenAudioDevice(nullptr, 0, spec, nullptr, 0);
  RestoreStandardError(saved);
  return device;
}

bool SoundIsPlaying() {
  return playback.device != 0 && SDL_GetAudioDeviceStatus(playback.device) == SDL_AUDIO_PLAYING;
}

}  // namespace

void StopSoundPlayback() {
  if (playback.device != 0) SDL_CloseAudioDevice(playback.device);
  if (playback.samples != nullptr) SDL_FreeWAV(playback.samples);
  playback = SoundPlayback{};
}

int PlaySoundFile(const char *path, unsigned flags) {
  std::string file = SoundFileToPlay(path, flags, SoundIsPlaying());
  if (file.empty()) return 0;
  StopSoundPlayback();
  SDL_AudioSpec spec;
  Uint8 *samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(file.c_str(), &spec, &samples, &length) == nullptr) return 0;
  Uint32 frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  length -= frame > 0 ? length % frame : 0;  // whole frames only, so a loop never splits one
  if (length == 0) {
    SDL_FreeWAV(samples);
    return 0;
  }
  playback = SoundPlayback{0, samples, length, 0, (flags & SND_LOOP) != 0};
  spec.callback = FillAudio;
  spec.userdata = &playback;
  // No changes allowed: SDL converts to what the device takes, so the file
  // plays at its own rate and pitch.
  playback.device = OpenDevice(&spec);
  if (playback.device == 0) {
    StopSoundPlayback();
    return 0;
  }
  SDL_PauseAudioDevice(playback.device, 0);
  return 1;
}
