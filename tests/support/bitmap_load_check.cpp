// bitmap_load_check.cpp: one load at a time, with its result copied out and its blocks freed as the loader's caller does.
#include "bitmap_load_check.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "assets/bitmap_loader.h"

namespace {

std::vector<std::string> reports;

void RecordReport(const char *text) { reports.push_back(text); }

LoadOutcome TakeOutcome(RgbImage *image) {
  LoadOutcome outcome;
  outcome.message = loaderMessage;
  outcome.reports = reports;
  if (image == nullptr) return outcome;
  outcome.loaded = true;
  outcome.width = image->width;
  outcome.height = image->height;
  outcome.pixels.assign(image->pixels, image->pixels + (size_t)image->width * image->height * 3);
  free(image->pixels);
  free(image);
  return outcome;
}

// Writes bytes to a new file under the temporary folder; returns its path.
std::string SaveTempFile(const Bytes &bytes) {
  const char *folder = getenv("TMPDIR");
  std::string path = std::string(folder && *folder ? folder : "/tmp") + "/talmir-bmp-XXXXXX";
  int fd = mkstemp(path.data());
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  close(fd);
  if (!WriteFileBytes(path, bytes)) throw std::runtime_error("cannot write " + path);
  return path;
}

// The first pixel that differs, so that a failure says where the picture went wrong.
std::string FirstDifference(const Bytes &got, const Bytes &want, int32_t width) {
  for (size_t i = 0; i < got.size() && i < want.size(); i += 3) {
    if (memcmp(&got[i], &want[i], 3) == 0) continue;
    size_t pixel = i / 3;
    char text[160];
    snprintf(text, sizeof text, "pixel x=%zu row=%zu (bottom row 0): got %u,%u,%u want %u,%u,%u",
             pixel % (size_t)width, pixel / (size_t)width, got[i], got[i + 1], got[i + 2], want[i], want[i + 1],
             want[i + 2]);
    return text;
  }
  return "sizes differ: got " + std::to_string(got.size()) + " bytes, want " + std::to_string(want.size());
}

}  // namespace

void RecordLoaderReports() {
  loaderMessageSink = RecordReport;
  reports.clear();
}

const std::vector<std::string> &LoaderReports() { return reports; }

LoadOutcome LoadFromMemory(const Bytes &bytes) {
  RecordLoaderReports();
  // A block of exactly the file's size, not the vector's, whose capacity may be larger.
  unsigned char *copy = (unsigned char *)malloc(bytes.empty() ? 1 : bytes.size());
  if (!bytes.empty()) memcpy(copy, bytes.data(), bytes.size());
  LoadOutcome outcome = TakeOutcome(LoadBitmapBytes(copy, bytes.size()));
  free(copy);
  return outcome;
}

LoadOutcome LoadFromFile(const Bytes &bytes) {
  std::string path = SaveTempFile(bytes);
  RecordLoaderReports();
  LoadOutcome outcome = TakeOutcome(LoadBitmapFile(path.c_str()));
  unlink(path.c_str());
  return outcome;
}

LoadOutcome LoadBothWays(const Bytes &bytes) {
  LoadOutcome memory = LoadFromMemory(bytes);
  LoadOutcome file = LoadFromFile(bytes);
  EXPECT_EQ(memory.loaded, file.loaded);
  EXPECT_EQ(memory.message, file.message);
  EXPECT_EQ(memory.width, file.width);
  EXPECT_EQ(memory.height, file.height);
  EXPECT_TRUE(memory.pixels == file.pixels) << "the file and memory loads gave different pixels";
  return file;
}

void ExpectPicture(const Bytes &file, const RgbPicture &expected) {
  LoadOutcome outcome = LoadBothWays(file);
  ASSERT_TRUE(outcome.loaded) << "message: " << outcome.message;
  EXPECT_EQ(outcome.width, expected.width);
  EXPECT_EQ(outcome.height, expected.height);
  Bytes want = BottomUpRgb(expected);
  EXPECT_TRUE(outcome.pixels == want) << FirstDifference(outcome.pixels, want, expected.width);
  EXPECT_TRUE(outcome.reports.empty());
  EXPECT_EQ(outcome.message, "");
}

void ExpectFailure(const Bytes &file, const std::string &message) {
  LoadOutcome outcome = LoadBothWays(file);
  EXPECT_FALSE(outcome.loaded);
  EXPECT_EQ(outcome.message, message);
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0], message);
}
