// web_sound.cpp: one looping background sound through OpenAL (emscripten's,
// over the page's Web Audio). A page may only make sound after the user's
// first gesture, so a sound asked for before it waits for the first key or
// click; the audio is set up then, not before.
#include <AL/al.h>
#include <AL/alc.h>
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/sound_request.h"
#include "platform/web/web_backend.h"

namespace {

struct Wave {
  ALenum format;
  ALsizei rate;
  std::vector<unsigned char> samples;
};

struct SoundPlayback {
  bool gestureSeen;
  bool waiting;  // asked for, to start at the first gesture
  bool paused;   // the page rests: playing holds, and a sound asked for waits
  Wave wave;
  bool loop;
  ALCdevice *device;
  ALCcontext *context;
  ALuint buffer, source;
};

SoundPlayback playback;

// What the sound is doing, for the page's tests: waiting for a gesture,
// playing, paused while the page rests, or nothing.
EM_JS(void, ReportSound, (const char *state), {
  var talmir = window.talmir = window.talmir || {};
  talmir.sound = UTF8ToString(state);
});

uint32_t Little32(const unsigned char *p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }
uint16_t Little16(const unsigned char *p) { return (uint16_t)(p[0] | p[1] << 8); }

// A PCM wave file (8 or 16 bits, mono or stereo) read through a file view;
// false for anything else.
bool ReadWave(const char *path, Wave *wave) {
  FileView view;
  if (!MapFileView(path, &view)) return false;
  const unsigned char *bytes = view.bytes;
  size_t size = view.size, at = 12;
  bool haveFormat = false, ok = false;
  int channels = 0, bits = 0;
  if (size >= 12 && memcmp(bytes, "RIFF", 4) == 0 && memcmp(bytes + 8, "WAVE", 4) == 0) {
    while (at + 8 <= size) {
      uint32_t length = Little32(bytes + at + 4);
      const unsigned char *body = bytes + at + 8;
      if (length > size - at - 8) length = (uint32_t)(size - at - 8);
      if (memcmp(bytes + at, "fmt ", 4) == 0 && length >= 16 && Little16(body) == 1) {
        channels = Little16(body + 2);
        wave->rate = (ALsizei)Little32(body + 4);
        bits = Little16(body + 14);
        haveFormat = true;
      } else if (memcmp(bytes + at, "data", 4) == 0 && haveFormat) {
        wave->samples.assign(body, body + length);
        ok = true;
        break;
      }
      at += 8 + length + (length & 1);
    }
  }
  UnmapFileView(&view);
  if (!ok || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return false;
  wave->format = channels == 1 ? (bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16)
                               : (bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16);
  size_t frame = (size_t)channels * bits / 8;
  wave->samples.resize(wave->samples.size() / frame * frame);  // whole frames, so a loop never splits one
  return !wave->samples.empty();
}

bool SoundIsPlaying() {
  if (playback.waiting) return true;
  if (playback.source == 0) return false;
  ALint state = 0;
  alGetSourcei(playback.source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING || state == AL_PAUSED;  // paused: playing, held while the page rests
}

// The page's audio, made on the first gesture and kept.
bool OpenAudio() {
  if (playback.context != nullptr) return true;
  playback.device = alcOpenDevice(nullptr);
  if (playback.device == nullptr) return false;
  playback.context = alcCreateContext(playback.device, nullptr);
  if (playback.context == nullptr) return false;
  alcMakeContextCurrent(playback.context);
  return true;
}

void StartPlaying() {
  if (playback.paused) return;
  playback.waiting = false;
  if (!OpenAudio()) return;
  alGenBuffers(1, &playback.buffer);
  alBufferData(playback.buffer, playback.wave.format, playback.wave.samples.data(),
               (ALsizei)playback.wave.samples.size(), playback.wave.rate);
  alGenSources(1, &playback.source);
  alSourcei(playback.source, AL_BUFFER, (ALint)playback.buffer);
  alSourcei(playback.source, AL_LOOPING, playback.loop ? AL_TRUE : AL_FALSE);
  alSourcePlay(playback.source);
  ReportSound(SoundIsPlaying() ? "playing" : "stopped");
}

}  // namespace

void PauseSoundPlayback(bool paused) {
  if (playback.paused == paused) return;
  playback.paused = paused;
  if (playback.source != 0) {
    if (paused)
      alSourcePause(playback.source);
    else
      alSourcePlay(playback.source);
  } else if (!paused && playback.waiting && playback.gestureSeen) {
    StartPlaying();
  }
  if (playback.source != 0) ReportSound(paused ? "paused" : SoundIsPlaying() ? "playing" : "stopped");
}

void StartSoundOnGesture() {
  if (playback.gestureSeen) return;
  playback.gestureSeen = true;
  if (playback.waiting) StartPlaying();
}

void StopSoundPlayback() {
  if (playback.source != 0) {
    alSourceStop(playback.source);
    alDeleteSources(1, &playback.source);
  }
  if (playback.buffer != 0) alDeleteBuffers(1, &playback.buffer);
  playback.source = playback.buffer = 0;
  playback.waiting = false;
  playback.wave = Wave{};
  ReportSound("stopped");
}

int PlaySoundFile(const char *path, unsigned flags) {
  std::string file = SoundFileToPlay(path, flags, SoundIsPlaying());
  if (file.empty()) return 0;
  StopSoundPlayback();
  if (!ReadWave(file.c_str(), &playback.wave)) return 0;
  playback.loop = (flags & SND_LOOP) != 0;
  playback.waiting = true;
  ReportSound("waiting");
  if (playback.gestureSeen) StartPlaying();
  return 1;
}
