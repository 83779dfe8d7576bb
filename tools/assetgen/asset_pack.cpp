// asset_pack.cpp: which picture goes to which path in which bitmap form, and the writing of all ten files.
#include "asset_pack.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ambience.h"
#include "assets/asset_paths.h"
#include "bitmap_forms.h"
#include "font_sheet.h"
#include "ground.h"
#include "lattice.h"
#include "picture.h"
#include "plants.h"
#include "sky.h"
#include "wave_writer.h"

namespace {

struct PictureAsset {
  RgbPicture (*make)();
  BitmapForm form;
};

// The maker and file form of each texture, in texture-slot order; the paths
// are the program's own list (assets/asset_paths.h). The forms are spread
// the way files of the era came: palette pictures from paint programs (one
// run-length encoded, one with the old 12-byte header) and true-colour
// photographs and renderings.
constexpr PictureAsset pictureAssets[textureFileCount] = {
    {MakeFontSheet, BitmapForm::Rle8},          // Tex/Pismo/font.bmp
    {MakeLattice, BitmapForm::CoreIndexed8},    // Tex/Ciary/00.bmp
    {MakeLeaf, BitmapForm::Indexed8},           // Tex/List/list.bmp
    {MakeFern, BitmapForm::Rle8},               // Tex/List/papradie.bmp
    {MakeBush, BitmapForm::Rgb24},              // Tex/List/krik.bmp
    {MakeGrassClump, BitmapForm::Indexed8},     // Tex/List/trava.bmp
    {MakeGrassGround, BitmapForm::Rgb24},       // Tex/List/trava1.bmp
    {MakeSky, BitmapForm::Rgb24},               // Tex/obloha.bmp
    {MakeGround, BitmapForm::Core24},           // Tex/zem.bmp
};

// The program's "\" between folders as the file system has it.
std::string FolderPath(const char *programPath) {
  std::string path = programPath;
  for (char &c : path)
    if (c == '\\') c = '/';
  return path;
}

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
  for (int slot = 0; slot < textureFileCount; ++slot) {
    const PictureAsset &asset = pictureAssets[slot];
    if (!WriteAsset(root / assetPaths.textures[slot], EncodeBitmap(asset.make(), asset.form))) return false;
  }
  return WriteAsset(root / FolderPath(assetPaths.sound), EncodeWave(MakeAmbience(), ambienceRate));
}
