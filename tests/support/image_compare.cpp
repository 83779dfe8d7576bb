// image_compare.cpp: PNG through stb, read-back through the GL.
#include "support/image_compare.h"

#include <GL/gl.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double BlockAverage(const TestImage &image, int bx, int by, int block, int channel) {
  long sum = 0;
  for (int y = by * block; y < (by + 1) * block; ++y)
    for (int x = bx * block; x < (bx + 1) * block; ++x) sum += image.At(x, y)[channel];
  return (double)sum / (block * block);
}

}  // namespace

TestImage ReadGlFrame(int width, int height) {
  TestImage image;
  image.width = width;
  image.height = height;
  std::vector<unsigned char> bottomUp((size_t)width * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  image.rgb.resize(bottomUp.size());
  size_t row = (size_t)width * 3;
  for (int y = 0; y < height; ++y)
    std::copy_n(&bottomUp[(size_t)(height - 1 - y) * row], row, &image.rgb[(size_t)y * row]);
  return image;
}

TestImage LoadPng(const std::string &path) {
  TestImage image;
  int channels = 0;
  unsigned char *data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
  if (data == nullptr) return TestImage{};
  image.rgb.assign(data, data + (size_t)image.width * image.height * 3);
  stbi_image_free(data);
  return image;
}

bool SavePng(const std::string &path, const TestImage &image) {
  return stbi_write_png(path.c_str(), image.width, image.height, 3, image.rgb.data(), image.width * 3) != 0;
}

ImageDifference CompareImages(const TestImage &a, const TestImage &b) {
  ImageDifference d;
  d.sameSize = a.width == b.width && a.height == b.height && !a.rgb.empty();
  if (!d.sameSize) return d;
  long long sum = 0, changed = 0;
  for (size_t p = 0; p < a.rgb.size(); p += 3) {
    int worst = 0;
    for (int c = 0; c < 3; ++c) {
      int diff = std::abs(a.rgb[p + c] - b.rgb[p + c]);
      sum += diff;
      worst = std::max(worst, diff);
    }
    d.maxChannel = std::max(d.maxChannel, worst);
    changed += worst > 32;
  }
  d.meanChannel = (double)sum / (double)a.rgb.size();
  d.changedShare = (double)changed / (double)(a.rgb.size() / 3);
  return d;
}

TestImage DifferenceImage(const TestImage &a, const TestImage &b) {
  TestImage out = a;
  for (size_t i = 0; i < out.rgb.size() && i < b.rgb.size(); ++i)
    out.rgb[i] = (unsigned char)std::min(255, 4 * std::abs(a.rgb[i] - b.rgb[i]));
  return out;
}

double MeanBlockDifference(const TestImage &a, const TestImage &b, int block) {
  double total = 0;
  int blocks = 0;
  for (int by = 0; by < a.height / block; ++by)
    for (int bx = 0; bx < a.width / block; ++bx, ++blocks)
      for (int c = 0; c < 3; ++c)
        total += std::fabs(BlockAverage(a, bx, by, block, c) - BlockAverage(b, bx, by, block, c)) / 3;
  return blocks > 0 ? total / blocks : 0.0;
}
