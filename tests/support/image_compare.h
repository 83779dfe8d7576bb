// image_compare.h: RGB pictures for the tests: read back from the GL, read
// from and written to PNG files, and compared under a stated tolerance.
#pragma once

#include <string>
#include <vector>

struct TestImage {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // top row first, 3 bytes a pixel
  const unsigned char *At(int x, int y) const { return &rgb[((size_t)y * width + x) * 3]; }
};

// The current read buffer of the GL, top row first.
TestImage ReadGlFrame(int width, int height);
// Empty (width 0) when the file cannot be read.
TestImage LoadPng(const std::string &path);
bool SavePng(const std::string &path, const TestImage &image);

struct ImageDifference {
  int maxChannel = 0;         // largest difference of one channel, 0 to 255
  double meanChannel = 0;     // mean difference over all channels
  double changedShare = 0;    // share of pixels with a channel off by more than 32
  bool sameSize = false;
};

ImageDifference CompareImages(const TestImage &a, const TestImage &b);
// A picture of where two images differ (bright where they differ most).
TestImage DifferenceImage(const TestImage &a, const TestImage &b);
// The mean difference, 0 to 255, between two pictures of the same size in
// their average colours over blocks of block x block pixels (whole blocks
// only; 0 when there are none).
double MeanBlockDifference(const TestImage &a, const TestImage &b, int block);
