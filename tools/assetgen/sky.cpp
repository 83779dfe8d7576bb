// sky.cpp: sky gradient by elevation, fractal-noise clouds lit from above, haze towards and below the horizon.
#include "sky.h"

#include <cmath>

#include "noise.h"

namespace {

constexpr int skyWidth = 512;
constexpr int skyHeight = 256;

// Clear sky by elevation (-1 nadir, 0 horizon, 1 zenith).
Colour SkyGradient(double elevation) {
  Colour zenith = HexColour(0x2f63b8), high = HexColour(0x5b8fd6), horizon = HexColour(0xc4d6e6);
  Colour below = HexColour(0x9fb0bf);
  if (elevation < 0.0) return MixColour(horizon, below, SmoothStep(0.0, 0.25, -elevation));
  if (elevation < 0.35) return MixColour(horizon, high, std::pow(elevation / 0.35, 0.7));
  return MixColour(high, zenith, SmoothStep(0.35, 1.0, elevation));
}

// Noise row for an elevation above the horizon: stretched near the horizon so
// that clouds there come out flat, as perspective would show them.
double CloudRow(double elevation) {
  return 1.0 - std::sqrt(elevation);
}

// Cloud density at a point of the sky, 0 (clear) to 1 (thick).
double CloudDensity(double u, double v) {
  double n = FractalNoise(NoiseLayer{71, 6, 4}, u, v, 6, 0.5);
  double bank = FractalNoise(NoiseLayer{19, 3, 2}, u, v, 2, 0.5);
  double cover = n + 0.4 * bank - 0.05;
  return SmoothStep(0.0, 0.5, cover);
}

Colour SkyPixel(int x, int y) {
  double u = (x + 0.5) / skyWidth;
  double elevation = 1.0 - 2.0 * (y + 0.5) / skyHeight;
  Colour sky = SkyGradient(elevation);
  if (elevation <= 0.0) return sky;
  double v = CloudRow(elevation);
  double density = CloudDensity(u, v);
  // A cloud is lit from above: where it thins upwards (towards the sun) it is
  // bright, where it thickens its underside falls into shadow.
  double above = CloudDensity(u, v - 0.02);
  double shade = Clamp01(0.9 + 1.2 * (density - above) * -1.0 + 0.1 * (1.0 - density));
  Colour cloud = MixColour(HexColour(0xa7b2c4), HexColour(0xfdfdfb), shade);
  double fade = SmoothStep(0.0, 0.12, elevation);  // clouds melt into the haze
  return MixColour(sky, cloud, density * fade * 0.95);
}

}  // namespace

RgbPicture MakeSky() {
  RgbPicture sky = MakePicture(skyWidth, skyHeight, keyBlack);
  for (int y = 0; y < skyHeight; ++y) {
    for (int x = 0; x < skyWidth; ++x) PixelAt(sky, x, y) = ToOpaqueRgb(SkyPixel(x, y));
  }
  return sky;
}
