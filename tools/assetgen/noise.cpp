// noise.cpp: periodic gradient noise, fractal sums of it, and periodic cell (Worley) distance.
#include "noise.h"

#include <cmath>

#include "random.h"

namespace {

// Sixteen evenly spread unit gradients.
constexpr double gradientDirections[16][2] = {
    {1.0, 0.0},   {0.9239, 0.3827},   {0.7071, 0.7071},   {0.3827, 0.9239},
    {0.0, 1.0},   {-0.3827, 0.9239},  {-0.7071, 0.7071},  {-0.9239, 0.3827},
    {-1.0, 0.0},  {-0.9239, -0.3827}, {-0.7071, -0.7071}, {-0.3827, -0.9239},
    {0.0, -1.0},  {0.3827, -0.9239},  {0.7071, -0.7071},  {0.9239, -0.3827}};

int Wrap(int value, int period) {
  int m = value % period;
  return m < 0 ? m + period : m;
}

double Fade(double t) {
  return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

// One of the gradients, dotted with the offset.
double CornerDot(const NoiseLayer &layer, int ix, int iy, double dx, double dy) {
  uint32_t h = HashLattice(Wrap(ix, layer.periodX), Wrap(iy, layer.periodY), layer.seed) >> 28;
  return gradientDirections[h][0] * dx + gradientDirections[h][1] * dy;
}

}  // namespace

double GradientNoise(const NoiseLayer &layer, double x, double y) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = (int)fx, iy = (int)fy;
  double dx = x - fx, dy = y - fy;
  double n00 = CornerDot(layer, ix, iy, dx, dy);
  double n10 = CornerDot(layer, ix + 1, iy, dx - 1.0, dy);
  double n01 = CornerDot(layer, ix, iy + 1, dx, dy - 1.0);
  double n11 = CornerDot(layer, ix + 1, iy + 1, dx - 1.0, dy - 1.0);
  double sx = Fade(dx), sy = Fade(dy);
  double top = n00 + (n10 - n00) * sx;
  double bottom = n01 + (n11 - n01) * sx;
  // Gradient noise peaks near 0.7; the factor brings it close to [-1, 1].
  return 1.4 * (top + (bottom - top) * sy);
}

double FractalNoise(const NoiseLayer &layer, double u, double v, int octaves, double gain) {
  double sum = 0.0, amplitude = 1.0, total = 0.0;
  NoiseLayer octave = layer;
  for (int k = 0; k < octaves; ++k) {
    sum += amplitude * GradientNoise(octave, u * octave.periodX, v * octave.periodY);
    total += amplitude;
    amplitude *= gain;
    octave.periodX *= 2;
    octave.periodY *= 2;
    octave.seed = octave.seed * 747796405u + 2891336453u;
  }
  return sum / total * 1.6;
}

double CellDistance(uint32_t seed, int cells, double u, double v) {
  double x = u * cells, y = v * cells;
  int cx = (int)std::floor(x), cy = (int)std::floor(y);
  double best = 4.0;
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      uint32_t h = HashLattice(Wrap(cx + ox, cells), Wrap(cy + oy, cells), seed);
      double px = cx + ox + (h & 0xffff) / 65536.0;
      double py = cy + oy + (h >> 16) / 65536.0;
      double d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
      if (d < best) best = d;
    }
  }
  return best;
}
