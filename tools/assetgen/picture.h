// picture.h: the generator's in-memory picture (top row first) and the colour arithmetic used to paint it.
#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
};

// A colour being computed, components nominally in [0, 1].
struct Colour {
  double r, g, b;
};

struct Picture {
  int width;
  int height;
  std::vector<Rgb> pixels;  // width * height, top row first, left to right
};

// The loader's colour key: pure black becomes transparent.
inline constexpr Rgb kKeyBlack = {0, 0, 0};

Picture MakePicture(int width, int height, Rgb fill);
Rgb &PixelAt(Picture &picture, int x, int y);
Rgb PixelAt(const Picture &picture, int x, int y);
bool IsKeyBlack(Rgb pixel);

Colour MixColour(Colour a, Colour b, double t);
Colour ScaleColour(Colour c, double factor);
Colour HexColour(uint32_t rrggbb);
double Clamp01(double value);
double SmoothStep(double edge0, double edge1, double value);
// Rounds to bytes; never returns the key colour, so an opaque pixel stays opaque.
Rgb ToOpaqueRgb(Colour c);
