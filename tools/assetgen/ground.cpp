// ground.cpp: periodic noise layers for the meadow, wrapped blade strokes for the grass; both tile on all sides.
#include "ground.h"

#include <cmath>

#include "noise.h"
#include "random.h"

namespace {

constexpr int tileSize = 256;

Colour MeadowPixel(int x, int y) {
  double u = (x + 0.5) / tileSize, v = (y + 0.5) / tileSize;
  double patches = FractalNoise(NoiseLayer{301, 4, 4}, u, v, 5, 0.6);
  double hue = FractalNoise(NoiseLayer{302, 3, 3}, u, v, 3, 0.5);
  double mottle = FractalNoise(NoiseLayer{305, 16, 16}, u, v, 3, 0.6);
  double grain = GradientNoise(NoiseLayer{303, 128, 128}, u * 128, v * 128);
  // Tufts: each cell of a fine cellular pattern is a clump, darker in the gaps.
  double tuft = SmoothStep(0.2, 0.75, CellDistance(306, 80, u, v));
  Colour lush = MixColour(HexColour(0x4d7a2a), HexColour(0x6f9a3a), 0.5 + 0.5 * mottle);
  Colour dryish = MixColour(HexColour(0x7a8a3c), HexColour(0x9a9a52), 0.5 + 0.5 * mottle);
  Colour grass = MixColour(lush, dryish, SmoothStep(-0.3, 0.6, hue));
  grass = ScaleColour(grass, 1.04 - 0.16 * tuft);
  Colour soil = MixColour(HexColour(0x6b5638), HexColour(0x927a55), 0.5 + 0.5 * mottle);
  double bare = SmoothStep(0.3, 0.55, patches + 0.15 * grain);
  Colour ground = MixColour(grass, soil, bare);
  // Small stones where the soil shows: pale where a cell centre is near.
  double stone = 1.0 - SmoothStep(0.1, 0.18, CellDistance(304, 32, u, v));
  ground = MixColour(ground, HexColour(0xa8a293), stone * bare * 0.85);
  return ScaleColour(ground, 0.93 + 0.12 * grain);
}

// One grass blade, drawn with soft edges; the turf is opaque so blending is safe.
struct Blade {
  double x, y, length, lean, width;
  Colour colour;
};

void BlendPixel(RgbPicture &picture, int x, int y, Colour c, double opacity) {
  x = (x % tileSize + tileSize) % tileSize;
  y = (y % tileSize + tileSize) % tileSize;
  Rgb &p = PixelAt(picture, x, y);
  Colour below = {p.red / 255.0, p.green / 255.0, p.blue / 255.0};
  p = ToOpaqueRgb(MixColour(below, c, opacity));
}

// Tapers from `width` at the root to nothing at the tip; coordinates wrap, so
// blades crossing an edge continue on the opposite side.
void DrawBlade(RgbPicture &picture, const Blade &blade) {
  double tipX = blade.x + blade.lean * blade.length, tipY = blade.y - blade.length;
  int x0 = (int)std::floor(std::fmin(blade.x, tipX) - blade.width - 1);
  int x1 = (int)std::ceil(std::fmax(blade.x, tipX) + blade.width + 1);
  int y0 = (int)std::floor(tipY - 1), y1 = (int)std::ceil(blade.y + 1);
  double dx = tipX - blade.x, dy = tipY - blade.y, length2 = dx * dx + dy * dy;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      double px = x + 0.5 - blade.x, py = y + 0.5 - blade.y;
      double t = (px * dx + py * dy) / length2;
      if (t < 0.0 || t > 1.0) continue;
      double distance = std::fabs(px * dy - py * dx) / std::sqrt(length2);
      double radius = blade.width * (1.0 - t);
      double coverage = Clamp01(radius + 0.5 - distance);
      if (coverage <= 0.0) continue;
      // Blades brighten towards the tip, which catches more light.
      BlendPixel(picture, x, y, ScaleColour(blade.colour, 0.75 + 0.45 * t), coverage);
    }
  }
}

Blade RandomBlade(RandomStream &random, double layer) {
  Blade blade;
  blade.x = RandomRange(random, 0, tileSize);
  blade.y = RandomRange(random, 0, tileSize);
  blade.length = RandomRange(random, 10, 26);
  blade.lean = RandomRange(random, -0.6, 0.6);
  blade.width = RandomRange(random, 0.8, 1.5);
  Colour green = MixColour(HexColour(0x3f6b22), HexColour(0x86a843), RandomUnit(random));
  Colour dry = HexColour(0xa8a25a);
  blade.colour = MixColour(green, dry, RandomUnit(random) < 0.08 ? 0.6 : 0.0);
  blade.colour = ScaleColour(blade.colour, 0.7 + 0.35 * layer);  // upper layers are lit, lower ones shaded
  return blade;
}

}  // namespace

RgbPicture MakeGround() {
  RgbPicture ground = MakePicture(tileSize, tileSize, keyBlack);
  for (int y = 0; y < tileSize; ++y) {
    for (int x = 0; x < tileSize; ++x) PixelAt(ground, x, y) = ToOpaqueRgb(MeadowPixel(x, y));
  }
  return ground;
}

RgbPicture MakeGrassGround() {
  RgbPicture grass = MakePicture(tileSize, tileSize, keyBlack);
  for (int y = 0; y < tileSize; ++y) {
    for (int x = 0; x < tileSize; ++x) {
      double n = FractalNoise(NoiseLayer{401, 4, 4}, (x + 0.5) / tileSize, (y + 0.5) / tileSize, 4, 0.5);
      PixelAt(grass, x, y) = ToOpaqueRgb(MixColour(HexColour(0x2c4a18), HexColour(0x4a5e26), 0.5 + 0.5 * n));
    }
  }
  RandomStream random = MakeRandomStream(402);
  constexpr int bladeCount = 5200;
  for (int k = 0; k < bladeCount; ++k) DrawBlade(grass, RandomBlade(random, (double)k / bladeCount));
  return grass;
}
