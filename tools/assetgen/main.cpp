// main.cpp: talmir-assetgen OUTPUT_FOLDER writes Talmir's textures and sound, the same bytes on every run.
#include <cstdio>

#include "asset_pack.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: talmir-assetgen OUTPUT_FOLDER\n");
    return 2;
  }
  return WriteAssetPack(argv[1]) ? 0 : 1;
}
