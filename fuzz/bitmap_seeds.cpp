// bitmap_seeds.cpp: writes the fuzz corpus's seeds: small files of every accepted form and a few malformed ones.
#include <cstdio>
#include <string>

#include "bitmap_writer/bitmap_writer.h"
#include "bitmap_writer/pattern_pictures.h"

namespace {

// Where the seeds go, and how many are there so far.
struct SeedFolder {
  std::string path;
  int count;
};

bool Save(SeedFolder *folder, const BitmapFields &fields) {
  return WriteFileBytes(folder->path + "/seed-" + std::to_string(folder->count++) + ".bmp", WriteBitmap(fields));
}

// Each form with and without the file header.
bool SaveBoth(SeedFolder *folder, BitmapFields fields) {
  fields.fileHeader = true;
  bool saved = Save(folder, fields);
  fields.fileHeader = false;
  return Save(folder, fields) && saved;
}

bool SaveIndexed(SeedFolder *folder) {
  bool saved = true;
  for (int bitCount : {1, 4, 8}) {
    IndexedPicture indices = PatternIndices(5, 3, 1 << bitCount, (uint32_t)bitCount, 3);
    BitmapFields fields = IndexedBitmapFields(indices, PatternColours(1 << bitCount, 1), bitCount);
    saved = SaveBoth(folder, fields) && saved;
    fields.headerSize = 12;
    saved = SaveBoth(folder, fields) && saved;
    fields = IndexedBitmapFields(indices, PatternColours(3, 2), bitCount);  // a short table
    fields.height = -3;
    saved = SaveBoth(folder, fields) && saved;
  }
  return saved;
}

bool SaveRunLengths(SeedFolder *folder) {
  IndexedPicture indices = PatternIndices(9, 4, 16, 3, 6);
  bool saved = true;
  for (int bitCount : {8, 4}) {
    BitmapFields fields = IndexedBitmapFields(indices, PatternColours(16, 4), bitCount);
    fields.compression = bitCount == 8 ? 1 : 2;
    fields.bits = bitCount == 8 ? EncodeRle8(indices) : EncodeRle4(indices);
    saved = SaveBoth(folder, fields) && saved;
    fields.bits = {2, 1, 0, 2, 1, 1, 0, 3, 1, 2, 3, 0, 9, 4, 0, 0, 0, 1};  // delta, padding, a cut run
    saved = SaveBoth(folder, fields) && saved;
  }
  return saved;
}

bool SaveTrueColour(SeedFolder *folder) {
  RgbPicture picture = PatternPicture(7, 3, 5);
  BitmapFields fields = Rgb24BitmapFields(picture);
  bool saved = SaveBoth(folder, fields);
  fields.headerSize = 12;
  saved = SaveBoth(folder, fields) && saved;
  fields = Rgb24BitmapFields(picture);
  fields.bitCount = 32;
  fields.bits = PackWordRows(Rgb32Values(picture, 0x80), 7, 3, 32, true);
  fields.height = -3;
  saved = SaveBoth(folder, fields) && saved;
  fields.compression = 3;
  fields.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  saved = SaveBoth(folder, fields) && saved;
  fields.bitCount = 16;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.bits = PackWordRows(std::vector<uint32_t>(21, 0x8421), 7, 3, 16);
  saved = SaveBoth(folder, fields) && saved;
  fields.compression = 0;
  fields.masks.clear();
  return SaveBoth(folder, fields) && saved;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: bitmap_seeds FOLDER\n");
    return 2;
  }
  SeedFolder folder = {argv[1], 0};
  bool saved = SaveIndexed(&folder) && SaveRunLengths(&folder) && SaveTrueColour(&folder);
  if (!saved) {
    fprintf(stderr, "bitmap_seeds: cannot write into %s\n", argv[1]);
    return 1;
  }
  printf("%d seeds in %s\n", folder.count, argv[1]);
  return 0;
}
