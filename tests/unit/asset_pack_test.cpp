// Asset pack: the generated textures and sound in the build's run folder: paths, decoding, colour key, seams, font cells, file forms, WAV header and loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "assets/bitmap_loader.h"

namespace {

const std::string kRun = std::string(TALMIR_BUILD_DIR) + "/run/";

const char *const kPictures[] = {"Tex/Pismo/font.bmp", "Tex/Ciary/00.bmp",      "Tex/List/list.bmp",
                                 "Tex/List/papradie.bmp", "Tex/List/krik.bmp",  "Tex/List/trava.bmp",
                                 "Tex/List/trava1.bmp",   "Tex/obloha.bmp",     "Tex/zem.bmp"};
const char *const kOpaque[] = {"Tex/List/trava1.bmp", "Tex/obloha.bmp", "Tex/zem.bmp"};
const char *const kBillboards[] = {"Tex/List/papradie.bmp", "Tex/List/krik.bmp", "Tex/List/trava.bmp"};
const char *const kSound = "Sound/sound.wav";

using FileBytes = std::vector<uint8_t>;

FileBytes ReadWhole(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return FileBytes(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le16(const FileBytes &b, size_t at) {
  return b.at(at) | b.at(at + 1) << 8;
}

uint32_t Le32(const FileBytes &b, size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

// A decoded picture, read through the program's own loader; top row first.
struct Decoded {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  bool IsKey(int x, int y) const {
    const uint8_t *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  }
  const uint8_t *At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Decoded Decode(const std::string &relative) {
  Decoded out;
  RgbImage *image = LoadBitmapFile((kRun + relative).c_str());
  EXPECT_NE(image, nullptr) << relative << ": " << loaderMessage;
  if (!image) return out;
  out.width = image->width, out.height = image->height;
  size_t row = static_cast<size_t>(out.width) * 3;
  for (int y = out.height - 1; y >= 0; --y) out.rgb.insert(out.rgb.end(), image->pixels + y * row, image->pixels + (y + 1) * row);
  std::free(image->pixels);
  std::free(image);
  return out;
}

bool PowerOfTwoInRange(int n) {
  return n >= 64 && n <= 512 && (n & (n - 1)) == 0;
}

// Mean absolute colour difference between column a and column b (or rows).
double ColumnDifference(const Decoded &p, int a, int b) {
  double sum = 0;
  for (int y = 0; y < p.height; ++y)
    for (int c = 0; c < 3; ++c) sum += std::abs(p.At(a, y)[c] - p.At(b, y)[c]);
  return sum / p.height;
}

double RowDifference(const Decoded &p, int a, int b) {
  double sum = 0;
  for (int x = 0; x < p.width; ++x)
    for (int c = 0; c < 3; ++c) sum += std::abs(p.At(x, a)[c] - p.At(x, b)[c]);
  return sum / p.width;
}

}  // namespace

TEST(AssetPack, EveryFileIsWrittenAtItsPath) {
  for (const char *path : kPictures) EXPECT_GT(ReadWhole(kRun + path).size(), 54u) << path;
  EXPECT_GT(ReadWhole(kRun + kSound).size(), 44u);
}

TEST(AssetPack, EveryPictureDecodesWithTheLoaderAtItsHeaderSize) {
  for (const char *path : kPictures) {
    SCOPED_TRACE(path);
    Decoded picture = Decode(path);
    EXPECT_STREQ(loaderMessage, "");
    EXPECT_TRUE(PowerOfTwoInRange(picture.width) && PowerOfTwoInRange(picture.height))
        << picture.width << "x" << picture.height;
    FileBytes file = ReadWhole(kRun + path);
    bool core = Le32(file, 14) == 12;
    EXPECT_EQ(picture.width, static_cast<int>(core ? Le16(file, 18) : Le32(file, 18)));
    EXPECT_EQ(picture.height, static_cast<int>(core ? Le16(file, 20) : Le32(file, 22)));
  }
}

TEST(AssetPack, OpaquePicturesHoldNoKeyBlack) {
  for (const char *path : kOpaque) {
    Decoded picture = Decode(path);
    int holes = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) holes += picture.IsKey(x, y);
    EXPECT_EQ(holes, 0) << path;
  }
}

// The plants stand on their bottom row, with key black around them; the top,
// left and right edges stay clear, or the repeating texture wrap with linear
// filtering would smear plant colour along the billboard's other edges.
TEST(AssetPack, BillboardPlantsStandOnKeyBlackAndKeepTheirEdgesClear) {
  for (const char *path : kBillboards) {
    SCOPED_TRACE(path);
    Decoded picture = Decode(path);
    int plant = 0, foot = 0, edge = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) plant += !picture.IsKey(x, y);
    for (int x = 0; x < picture.width; ++x) foot += !picture.IsKey(x, picture.height - 1);
    for (int x = 0; x < picture.width; ++x) edge += !picture.IsKey(x, 0);
    for (int y = 0; y < picture.height; ++y) edge += !picture.IsKey(0, y) + !picture.IsKey(picture.width - 1, y);
    double cover = static_cast<double>(plant) / (picture.width * picture.height);
    EXPECT_GT(cover, 0.1);
    EXPECT_LT(cover, 0.8);
    EXPECT_GT(foot, 0);
    EXPECT_EQ(edge, 0);
  }
}

// A plant colour that rounded to pure black would show as a hole in the leaf:
// the key pixels all belong to the background, never a lone pixel amid plant.
TEST(AssetPack, KeyedPicturesHaveNoLoneKeyPixelInsideAShape) {
  for (const char *path : {"Tex/List/papradie.bmp", "Tex/List/krik.bmp", "Tex/List/trava.bmp", "Tex/List/list.bmp",
                           "Tex/Ciary/00.bmp"}) {
    SCOPED_TRACE(path);
    Decoded picture = Decode(path);
    int lone = 0, plant = 0;
    for (int y = 1; y + 1 < picture.height; ++y) {
      for (int x = 1; x + 1 < picture.width; ++x) {
        plant += !picture.IsKey(x, y);
        bool enclosed = !picture.IsKey(x - 1, y) && !picture.IsKey(x + 1, y) && !picture.IsKey(x, y - 1) &&
                        !picture.IsKey(x, y + 1);
        lone += picture.IsKey(x, y) && enclosed;
      }
    }
    EXPECT_GT(plant, 0);
    EXPECT_EQ(lone, 0);
  }
}

TEST(AssetPack, SkyWrapsAroundAndGroundPicturesTileWithoutASeam) {
  for (const char *path : kOpaque) {
    SCOPED_TRACE(path);
    Decoded p = Decode(path);
    // The join must look like an ordinary pair of neighbouring columns (their
    // average, with a little room); two unrelated columns differ far more,
    // except in the fine-grained grass, where this catches only gross seams.
    double inner = 0;
    for (int x = 0; x + 1 < p.width; ++x) inner += ColumnDifference(p, x, x + 1) / (p.width - 1);
    EXPECT_LE(ColumnDifference(p, p.width - 1, 0), 1.25 * inner);
    if (std::string(path) == "Tex/obloha.bmp") continue;  // the sphere's poles need no vertical join
    inner = 0;
    for (int y = 0; y + 1 < p.height; ++y) inner += RowDifference(p, y, y + 1) / (p.height - 1);
    EXPECT_LE(RowDifference(p, p.height - 1, 0), 1.25 * inner);
  }
}

TEST(AssetPack, SkyIsBlueAboveTheHorizonWithCloudsInIt) {
  Decoded sky = Decode("Tex/obloha.bmp");
  const uint8_t *zenith = sky.At(0, 0);
  EXPECT_GT(zenith[2], zenith[0] + 40);  // a clear deep blue at the top
  int cloud = 0;
  for (int y = 0; y < sky.height / 2; ++y)
    for (int x = 0; x < sky.width; ++x) {
      const uint8_t *p = sky.At(x, y);
      cloud += p[0] > 225 && p[1] > 225 && p[2] > 225;
    }
  double share = static_cast<double>(cloud) / (sky.width * sky.height / 2);
  EXPECT_GT(share, 0.03);
  EXPECT_LT(share, 0.6);
}

namespace {

// Ink bounds of one 16x16 cell of the font sheet; empty when right < left.
struct CellInk {
  int left = 16, right = -1, pixels = 0, dimmest = 255;
};

CellInk InkOf(const Decoded &sheet, int glyph) {
  CellInk ink;
  int left = (glyph % 16) * 16, top = (glyph / 16) * 16;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (sheet.IsKey(left + x, top + y)) continue;
      const uint8_t *p = sheet.At(left + x, top + y);
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x), ++ink.pixels;
      ink.dimmest = std::min(ink.dimmest, static_cast<int>(std::max({p[0], p[1], p[2]})));
    }
  return ink;
}

}  // namespace

// Code c is glyph c - 32 in the regular set and c + 96 in the second; each
// glyph must keep its ink inside the 10-unit advance so neighbours never touch.
TEST(AssetPack, FontSheetHasEveryPrintableCodeInBothSetsWithinTheAdvance) {
  Decoded sheet = Decode("Tex/Pismo/font.bmp");
  ASSERT_EQ(sheet.width, 256);
  ASSERT_EQ(sheet.height, 256);
  for (int set = 0; set < 2; ++set) {
    for (int code = 32; code <= 127; ++code) {
      int glyph = set == 0 ? code - 32 : code + 96;
      SCOPED_TRACE("set " + std::to_string(set) + " code " + std::to_string(code));
      CellInk ink = InkOf(sheet, glyph);
      if (code == 32) {
        EXPECT_EQ(ink.pixels, 0);
        continue;
      }
      EXPECT_GT(ink.pixels, 0);
      EXPECT_LT(ink.right, 10);
      EXPECT_LE(ink.right - ink.left + 1, 10);
      EXPECT_GE(ink.dimmest, 160);  // light glyphs, legible under the grey version line
    }
  }
  // Rows 6, 7 and 14, 15 hold no glyph of either set.
  for (int glyph : {96, 100, 127, 224, 240, 255}) EXPECT_EQ(InkOf(sheet, glyph).pixels, 0) << glyph;
}

TEST(AssetPack, FontSheetSecondSetIsADifferentStyleOfTheSameLetters) {
  Decoded sheet = Decode("Tex/Pismo/font.bmp");
  int differing = 0;
  for (int code = 'A'; code <= 'Z'; ++code) {
    CellInk regular = InkOf(sheet, code - 32), bold = InkOf(sheet, code + 96);
    differing += bold.pixels > regular.pixels;  // the bold strokes carry more ink
  }
  EXPECT_EQ(differing, 26);
}

// Across the nine files the forms old painting programs wrote must all occur.
TEST(AssetPack, PicturesUseTheBitmapFormsOfTheEra) {
  std::set<std::string> forms;
  for (const char *path : kPictures) {
    FileBytes file = ReadWhole(kRun + path);
    ASSERT_GE(file.size(), 26u) << path;
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    uint32_t header = Le32(file, 14);
    if (header == 12) {
      forms.insert("core " + std::to_string(Le16(file, 24)));
      continue;
    }
    ASSERT_EQ(header, 40u) << path;
    uint32_t bits = Le16(file, 28), compression = Le32(file, 30), coloursUsed = Le32(file, 46);
    if (bits == 24 && compression == 0) forms.insert("24-bit");
    if (bits == 8 && compression == 0) forms.insert("8-bit table");
    if (bits == 8 && compression == 1) forms.insert("rle8");
    if (bits == 8) {
      // The table lies between the header and the bits.
      uint32_t entries = coloursUsed ? coloursUsed : 256;
      EXPECT_LE(entries, 256u) << path;
      EXPECT_EQ(Le32(file, 10), 14 + 40 + 4 * entries) << path;
    }
  }
  for (const char *form : {"24-bit", "8-bit table", "rle8"}) EXPECT_TRUE(forms.count(form)) << form;
  EXPECT_TRUE(forms.count("core 8") || forms.count("core 24"));
}

namespace {

std::vector<int16_t> SoundSamples(const FileBytes &wav) {
  std::vector<int16_t> samples;
  for (size_t at = 44; at + 1 < wav.size(); at += 2) samples.push_back(static_cast<int16_t>(Le16(wav, at)));
  return samples;
}

}  // namespace

TEST(AssetPack, SoundIsAnEightSecondMonoPcmWave) {
  FileBytes wav = ReadWhole(kRun + kSound);
  ASSERT_GE(wav.size(), 44u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(wav, 16), 16u);
  EXPECT_EQ(Le16(wav, 20), 1u);  // PCM
  EXPECT_EQ(Le16(wav, 22), 1u);  // mono
  EXPECT_EQ(Le32(wav, 24), 22050u);
  EXPECT_EQ(Le32(wav, 28), 44100u);
  EXPECT_EQ(Le16(wav, 32), 2u);
  EXPECT_EQ(Le16(wav, 34), 16u);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(Le32(wav, 40), wav.size() - 44);
  double seconds = (wav.size() - 44) / 44100.0;
  EXPECT_GE(seconds, 7.0);
  EXPECT_LE(seconds, 9.0);
}

// Played looping, the last sample is followed by the first: that step must be
// no bigger than the ordinary ones, or every pass would click.
TEST(AssetPack, SoundLoopsWithoutAClickAndIsNeitherSilentNorClipped) {
  std::vector<int16_t> s = SoundSamples(ReadWhole(kRun + kSound));
  ASSERT_GT(s.size(), 1000u);
  std::vector<int> steps;
  double energy = 0;
  int peak = 0;
  for (size_t n = 0; n + 1 < s.size(); ++n) steps.push_back(std::abs(s[n + 1] - s[n]));
  for (int16_t v : s) energy += static_cast<double>(v) * v, peak = std::max(peak, std::abs(static_cast<int>(v)));
  int seam = std::abs(s.front() - s.back());
  // Locally too: the rustling makes big steps common over the whole file, so
  // also compare with the 10 ms on either side of the join.
  const size_t kNear = 220;
  int nearSeam = 0;
  for (size_t n = 0; n < kNear; ++n) nearSeam = std::max({nearSeam, steps[n], steps[steps.size() - 1 - n]});
  EXPECT_LE(seam, nearSeam);
  std::sort(steps.begin(), steps.end());
  EXPECT_LE(seam, steps[steps.size() * 999 / 1000]);
  EXPECT_GT(std::sqrt(energy / s.size()), 500.0);
  EXPECT_LT(peak, 32000);
}

// The build's files must be what the generator writes every time.
TEST(AssetPack, GeneratorWritesTheSameBytesOnEveryRun) {
  std::filesystem::path again = std::filesystem::temp_directory_path() / ("talmir-assets-" + std::to_string(::getpid()));
  std::string command = std::string(TALMIR_BUILD_DIR) + "/talmir-assetgen " + again.string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<std::string> files(std::begin(kPictures), std::end(kPictures));
  files.push_back(kSound);
  for (const std::string &file : files) EXPECT_EQ(ReadWhole((again / file).string()), ReadWhole(kRun + file)) << file;
  std::filesystem::remove_all(again);
}
