// frame_tolerance.h: how close a frame drawn by Talmir's GL subset must come
// to the desktop's golden frame (tests/golden/, Mesa's llvmpipe drawing
// desktop GL), and why. Two cases, tighter where the maths is the same.
#pragma once

#include <string>

#include "support/image_compare.h"

struct FrameTolerance {
  const char *what;
  double meanLimit;          // mean difference over all channels, of 255
  int maxLimit;              // largest difference of one channel (255: any)
  double changedShareLimit;  // share of pixels with a channel off by more than 32
};

// The subset on Mesa's ES 2.0 (talmir-frames-gles2): the goldens' own
// rasterizer and texture filter, and the same triangles (quads split as Mesa
// splits them). Only rounding differs: the subset transforms and lights on
// the processor in an order of its own, and works the fog out per vertex (as
// the frame's GL_FASTEST fog hint allows) where Mesa does it per fragment.
// Measured: largest difference 2, mean 0.02 to 0.07, at frames 1, 200 and
// the flight.
inline constexpr FrameTolerance sameRasterizer = {"the subset on llvmpipe", 0.15, 4, 0.0};

// The page in Chromium (WebGL on SwiftShader): GL leaves to the
// implementation how finely vertices are snapped, texture coordinates
// interpolated and texels filtered. Without mipmaps distant textures are
// minified by skipping texels, so such rounding flips a few pixels between
// unrelated texels: those differ by much, the picture as a whole by little.
// So the largest difference is free, the mean is held at twice the goldens'
// own limit and the share of pixels off by more than 32 at theirs (0.02%,
// which one vegetation clump left out already exceeds; a fog density of
// 0.0025 for 0.002 gives a mean of 0.9). Measured: mean 0.24 to 0.28, 0.001%
// to 0.002% of the pixels off by more than 32, largest 116, at frames 1 and 200.
inline constexpr FrameTolerance otherRasterizer = {"the page in Chromium", 0.5, 255, 0.0002};

inline bool WithinTolerance(const ImageDifference &d, const FrameTolerance &t) {
  return d.sameSize && d.meanChannel <= t.meanLimit && d.maxChannel <= t.maxLimit &&
         d.changedShare <= t.changedShareLimit;
}

inline std::string DescribeDifference(const ImageDifference &d, const FrameTolerance &t) {
  if (!d.sameSize) return "the pictures differ in size";
  return "mean " + std::to_string(d.meanChannel) + " (limit " + std::to_string(t.meanLimit) + "), largest " +
         std::to_string(d.maxChannel) + " (limit " + std::to_string(t.maxLimit) + "), " +
         std::to_string(100 * d.changedShare) + "% of pixels off by more than 32 (limit " +
         std::to_string(100 * t.changedShareLimit) + "%)";
}
