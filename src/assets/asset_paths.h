// asset_paths.h: where the program finds its nine textures and its sound, relative to the run folder; the generator writes them there.
#pragma once

inline constexpr int textureFileCount = 9;

struct AssetPaths {
  const char *textures[textureFileCount];  // in texture-slot order (TextureSlot, texture_set.h)
  const char *sound;  // as the program asks the platform for it: "\" separates folders
};

inline constexpr AssetPaths assetPaths = {
    {"Tex/Pismo/font.bmp", "Tex/Ciary/00.bmp", "Tex/List/list.bmp", "Tex/List/papradie.bmp", "Tex/List/krik.bmp",
     "Tex/List/trava.bmp", "Tex/List/trava1.bmp", "Tex/obloha.bmp", "Tex/zem.bmp"},
    "Sound\\sound.wav"};
