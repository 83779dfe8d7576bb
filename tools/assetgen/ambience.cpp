// ambience.cpp: filtered noise run round the loop twice (so every filter starts in its steady state), periodic envelopes, chirps placed modulo the loop.
#include "ambience.h"

#include <cmath>

#include "noise.h"
#include "random.h"

namespace {

constexpr double pi = 3.14159265358979;
constexpr int loopLength = ambienceSamples;

using Signal = std::vector<double>;

// A second-order section (audio cookbook form).
struct Biquad {
  double b0, b1, b2, a1, a2;
};

Biquad LowPass(double frequency, double q) {
  double w = 2 * pi * frequency / ambienceRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  double a0 = 1 + alpha;
  return Biquad{(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

Biquad HighPass(double frequency, double q) {
  double w = 2 * pi * frequency / ambienceRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  double a0 = 1 + alpha;
  return Biquad{(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

// Filters the loop as if it had been playing forever: the first pass only
// settles the filter state, the second is kept, so the end flows into the start.
Signal FilterLoop(const Signal &input, Biquad f) {
  Signal output(input.size());
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t n = 0; n < input.size(); ++n) {
      double x = input[n];
      double y = f.b0 * x + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
      x2 = x1, x1 = x, y2 = y1, y1 = y;
      output[n] = y;
    }
  }
  return output;
}

Signal WhiteNoise(uint64_t seed) {
  RandomStream random = MakeRandomStream(seed);
  Signal noise(loopLength);
  for (double &sample : noise) sample = RandomRange(random, -1.0, 1.0);
  return noise;
}

double Clamp01(double value) {
  return value < 0 ? 0 : (value > 1 ? 1 : value);
}

// A smooth envelope in [0, 1] with `cycles` lattice steps per loop; the noise
// is periodic over the loop, so the envelope joins at the seam.
double LoopEnvelope(uint32_t seed, int cycles, int n, int octaves) {
  double u = (double)n / loopLength;
  return Clamp01(0.5 + 0.5 * FractalNoise(NoiseLayer{seed, cycles, 1}, u, 0.5, octaves, 0.5));
}

Signal Wind() {
  Signal body = FilterLoop(FilterLoop(WhiteNoise(901), LowPass(380, 0.7)), LowPass(380, 0.7));
  Signal hiss = FilterLoop(FilterLoop(WhiteNoise(902), HighPass(700, 0.7)), LowPass(1800, 0.6));
  Signal wind(loopLength);
  for (int n = 0; n < loopLength; ++n) {
    double gust = LoopEnvelope(903, 3, n, 3);
    wind[n] = (6.0 * body[n] + 0.6 * hiss[n] * gust * gust) * (0.35 + 0.65 * gust);
  }
  return wind;
}

Signal Leaves() {
  Signal rustle = FilterLoop(FilterLoop(WhiteNoise(911), HighPass(2200, 0.8)), LowPass(7000, 0.7));
  Signal leaves(loopLength);
  for (int n = 0; n < loopLength; ++n) {
    double gust = LoopEnvelope(903, 3, n, 3);
    // Flurries: quick rustles that come in irregular clusters, more of them in gusts.
    double cluster = LoopEnvelope(912, 12, n, 2);
    double detail = LoopEnvelope(913, 160, n, 3);
    double open = Clamp01((0.6 * cluster + 0.6 * detail - 0.72 + 0.3 * gust) * 3.0);
    leaves[n] = rustle[n] * (0.06 + 0.7 * open * open) * gust;
  }
  return leaves;
}

// One chirp: a quick upward sweep with a little trill, shaped by a smooth bell.
void AddChirp(Signal &signal, double start, double duration, double low, double high, double level) {
  int first = (int)(start * ambienceRate), count = (int)(duration * ambienceRate);
  double phase = 0;
  for (int k = 0; k < count; ++k) {
    double t = (double)k / count;
    double frequency = low + (high - low) * std::sin(pi / 2 * t) + 120 * std::sin(2 * pi * 38 * t);
    phase += 2 * pi * frequency / ambienceRate;
    double bell = std::pow(std::sin(pi * t), 2);
    signal[(first + k) % loopLength] += level * bell * std::sin(phase);
  }
}

Signal Bird() {
  Signal bird(loopLength, 0.0);
  // A two-note call, answered later by a three-note phrase; one wraps past the seam.
  AddChirp(bird, 1.20, 0.11, 3100, 4200, 1.0);
  AddChirp(bird, 1.38, 0.14, 3300, 3900, 0.9);
  AddChirp(bird, 4.65, 0.09, 3600, 4400, 0.8);
  AddChirp(bird, 4.80, 0.09, 3600, 4400, 0.8);
  AddChirp(bird, 4.95, 0.16, 3000, 3700, 0.9);
  AddChirp(bird, 7.93, 0.12, 3200, 4100, 0.6);
  // Distance: the far bird loses its sharpest overtones and gets a faint echo.
  Signal far = FilterLoop(bird, LowPass(5000, 0.7));
  Signal out(loopLength);
  int echo = (int)(0.07 * ambienceRate);
  for (int n = 0; n < loopLength; ++n) out[n] = far[n] + 0.25 * far[(n + loopLength - echo) % loopLength];
  return out;
}

}  // namespace

std::vector<int16_t> MakeAmbience() {
  Signal wind = Wind(), leaves = Leaves(), bird = Bird();
  Signal mix(loopLength);
  double peak = 0;
  for (int n = 0; n < loopLength; ++n) {
    mix[n] = wind[n] + leaves[n] + 0.12 * bird[n];
    peak = std::fmax(peak, std::fabs(mix[n]));
  }
  // A calm background: peaks at about a third of full scale.
  double gain = 0.33 * 32767 / peak;
  std::vector<int16_t> samples(loopLength);
  for (int n = 0; n < loopLength; ++n) samples[n] = (int16_t)std::lround(mix[n] * gain);
  return samples;
}
