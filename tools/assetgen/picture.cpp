// picture.cpp: picture storage and colour arithmetic for the asset generator.
#include "picture.h"

#include <cmath>

RgbPicture MakePicture(int width, int height, Rgb fill) {
  return RgbPicture{width, height, std::vector<Rgb>((size_t)width * height, fill)};
}

Rgb &PixelAt(RgbPicture &picture, int x, int y) {
  return picture.pixels[(size_t)y * picture.width + x];
}

Rgb PixelAt(const RgbPicture &picture, int x, int y) {
  return picture.pixels[(size_t)y * picture.width + x];
}

bool IsKeyBlack(Rgb pixel) {
  return pixel.red == 0 && pixel.green == 0 && pixel.blue == 0;
}

Colour MixColour(Colour a, Colour b, double t) {
  return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour ScaleColour(Colour c, double factor) {
  return Colour{c.r * factor, c.g * factor, c.b * factor};
}

Colour HexColour(uint32_t rrggbb) {
  return Colour{((rrggbb >> 16) & 0xff) / 255.0, ((rrggbb >> 8) & 0xff) / 255.0, (rrggbb & 0xff) / 255.0};
}

double Clamp01(double value) {
  return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

double SmoothStep(double edge0, double edge1, double value) {
  double t = Clamp01((value - edge0) / (edge1 - edge0));
  return t * t * (3.0 - 2.0 * t);
}

Rgb ToOpaqueRgb(Colour c) {
  auto byte = [](double v) { return (uint8_t)std::lround(Clamp01(v) * 255.0); };
  Rgb out = {byte(c.r), byte(c.g), byte(c.b)};
  // A stray pure-black texel would become a hole once keyed.
  if (IsKeyBlack(out)) out.green = 1;
  return out;
}
