// picture.h: the generator's in-memory pictures (the bitmap writer's RgbPicture, top row first) and the colour arithmetic used to paint them.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap_writer/bitmap_writer.h"

// A colour being computed, components nominally in [0, 1].
struct Colour {
  double r, g, b;
};

// The loader's colour key: pure black becomes transparent.
inline constexpr Rgb keyBlack = {0, 0, 0};

RgbPicture MakePicture(int width, int height, Rgb fill);
Rgb &PixelAt(RgbPicture &picture, int x, int y);
Rgb PixelAt(const RgbPicture &picture, int x, int y);
bool IsKeyBlack(Rgb pixel);

Colour MixColour(Colour a, Colour b, double t);
Colour ScaleColour(Colour c, double factor);
Colour HexColour(uint32_t rrggbb);
double Clamp01(double value);
double SmoothStep(double edge0, double edge1, double value);
// Rounds to bytes; never returns the key colour, so an opaque pixel stays opaque.
Rgb ToOpaqueRgb(Colour c);
