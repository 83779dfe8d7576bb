// noise.h: periodic gradient noise and its fractal sums, so that every texture made from it tiles.
#pragma once

#include <cstdint>

// A noise layer that repeats every periodX lattice cells across and periodY down.
struct NoiseLayer {
  uint32_t seed;
  int periodX;
  int periodY;
};

// Gradient noise at (x, y) in lattice units, roughly in [-1, 1].
double GradientNoise(const NoiseLayer &layer, double x, double y);

// Sum of octaves, each at twice the frequency (and period) and gain times the
// amplitude of the one before; (u, v) in [0, 1) covers one period of the first
// octave. Normalised to roughly [-1, 1].
double FractalNoise(const NoiseLayer &layer, double u, double v, int octaves, double gain);

// Distance from (u, v) in [0, 1) to the nearest of `cells` x `cells` jittered
// feature points, periodic across the tile; in units of one cell.
double CellDistance(uint32_t seed, int cells, double u, double v);
