// asset_pack.h: the list of files the generator writes, each with its maker and file form, and the writing of the whole pack.
#pragma once

#include <string>

#include "bitmap_writer.h"
#include "picture.h"

struct PictureAsset {
  const char *path;  // relative to the output folder
  Picture (*make)();
  BitmapForm form;
};

inline constexpr const char *kSoundPath = "Sound/sound.wav";

// The nine pictures in texture-slot order.
extern const PictureAsset kPictureAssets[9];

// Writes every picture and the sound under `folder`, making the folders it
// needs; false (after a message on stderr) when anything cannot be written.
bool WriteAssetPack(const std::string &folder);
