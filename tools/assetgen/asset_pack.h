// asset_pack.h: which maker and file form each of the program's asset files has, and the writing of the whole pack.
#pragma once

#include <string>

#include "assets/asset_paths.h"
#include "bitmap_forms.h"
#include "picture.h"

struct PictureAsset {
  RgbPicture (*make)();
  BitmapForm form;
};

// The maker and file form of each texture, in texture-slot order; the paths
// are the program's own list (assets/asset_paths.h).
extern const PictureAsset pictureAssets[textureFileCount];

// Writes every picture and the sound under `folder`, making the folders it
// needs; false (after a message on stderr) when anything cannot be written.
bool WriteAssetPack(const std::string &folder);
