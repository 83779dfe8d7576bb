// asset_pack.cpp: which picture goes to which path in which bitmap form, and the writing of all ten files.
#include "asset_pack.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ambience.h"
#include "font_sheet.h"
#include "ground.h"
#include "lattice.h"
#include "plants.h"
#include "sky.h"
#include "wave_writer.h"

// The forms are spread the way files of the era came: palette pictures from
// paint programs (one run-length encoded, one with the old 12-byte header)
// and true-colour photographs and renderings.
const PictureAsset kPictureAssets[9] = {
    {"Tex/Pismo/font.bmp", MakeFontSheet, BitmapForm::Rle8},
    {"Tex/Ciary/00.bmp", MakeLattice, BitmapForm::CoreIndexed8},
    {"Tex/List/list.bmp", MakeLeaf, BitmapForm::Indexed8},
    {"Tex/List/papradie.bmp", MakeFern, BitmapForm::Rle8},
    {"Tex/List/krik.bmp", MakeBush, BitmapForm::Rgb24},
    {"Tex/List/trava.bmp", MakeGrassClump, BitmapForm::Indexed8},
    {"Tex/List/trava1.bmp", MakeGrassGround, BitmapForm::Rgb24},
    {"Tex/obloha.bmp", MakeSky, BitmapForm::Rgb24},
    {"Tex/zem.bmp", MakeGround, BitmapForm::Core24},
};

namespace {

bool WriteAsset(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error || !WriteFileBytes(path.string(), bytes)) {
    std::fprintf(stderr, "talmir-assetgen: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

bool WriteAssetPack(const std::string &folder) {
  std::filesystem::path root(folder);
  for (const PictureAsset &asset : kPictureAssets) {
    if (!WriteAsset(root / asset.path, EncodeBitmap(asset.make(), asset.form))) return false;
  }
  return WriteAsset(root / kSoundPath, EncodeWave(MakeAmbience(), kAmbienceRate));
}
