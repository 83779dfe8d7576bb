// lattice.cpp: weathered wooden slats drawn as diagonal lines, the ones leaning right laid over the others.
#include "lattice.h"

#include <cmath>

#include "noise.h"

namespace {

constexpr int latticeSize = 64;
constexpr int slatSpacing = 16;
constexpr double slatHalfWidth = 2.5;

// Distance across the nearest slat of one direction, and the position along it.
double SlatDistance(double across) {
  double phase = std::fmod(across, slatSpacing);
  if (phase < 0) phase += slatSpacing;
  return std::fabs(phase - slatSpacing / 2.0);
}

Colour Wood(double along, double across, uint32_t seed) {
  double grain = GradientNoise(NoiseLayer{seed, 64, 4}, along * 0.5, across * 0.6);
  Colour wood = MixColour(HexColour(0x9c7a52), HexColour(0xc2a479), 0.5 + 0.5 * grain);
  // Rounded edges of the slat fall off into shade.
  return ScaleColour(wood, 1.0 - 0.35 * across * across);
}

}  // namespace

RgbPicture MakeLattice() {
  RgbPicture lattice = MakePicture(latticeSize, latticeSize, keyBlack);
  for (int y = 0; y < latticeSize; ++y) {
    for (int x = 0; x < latticeSize; ++x) {
      double u = x + 0.5, v = y + 0.5;
      double rising = SlatDistance((u + v) / std::sqrt(2.0)), falling = SlatDistance((u - v) / std::sqrt(2.0));
      if (rising <= slatHalfWidth) {
        PixelAt(lattice, x, y) = ToOpaqueRgb(Wood((u - v) / std::sqrt(2.0), rising / slatHalfWidth, 801));
      } else if (falling <= slatHalfWidth) {
        Colour wood = Wood((u + v) / std::sqrt(2.0), falling / slatHalfWidth, 802);
        // The under slat is shaded where the upper one passes close by.
        double shadow = 1.0 - 0.3 * (1.0 - SmoothStep(slatHalfWidth, slatHalfWidth + 3.0, rising));
        PixelAt(lattice, x, y) = ToOpaqueRgb(ScaleColour(wood, shadow));
      }
    }
  }
  return lattice;
}
