// frame_tolerance.h: every tolerance the tests hold a picture to, and why it
// is what it is: a frame against its golden frame (tests/golden/, drawn by
// Mesa's llvmpipe through desktop GL) drawn by the same driver again, by
// Talmir's GL subset or by the page in a browser; and F12's picture against
// the screen a moment later.
#pragma once

#include <string>

#include "support/image_compare.h"

struct FrameTolerance {
  const char *what;
  double meanLimit;          // mean difference over all channels, of 255
  int maxLimit;              // largest difference of one channel (255: any)
  double changedShareLimit;  // share of pixels with a channel off by more than 32
};

// The goldens' own driver again: llvmpipe renders them bit for bit the same
// on every run, so this leaves room for rounding in another build of the same
// driver, not for another picture: at most 0.02% of the pixels (157 of
// 786,432) off by more than 32. Measured against faults: a fog density of
// 0.0025 instead of 0.002 gives a mean of 0.9; one vegetation clump left out
// gives 0.07% of the pixels off in the first frame; a billboard sway of the
// wrong sign 0.7%. The Windows build under Wine hands its GL calls to the
// same llvmpipe through GLX instead of EGL, so its frames are expected bit
// for bit alike too, and get the same room.
inline constexpr FrameTolerance sameDriver = {"llvmpipe again", 0.25, 255, 0.0002};

// The subset on Mesa's ES 2.0 (talmir-frames-gles2): the goldens' own
// rasterizer and texture filter, and the same triangles (quads split as Mesa
// splits them). Only rounding differs: the subset transforms and lights in
// its own vertex shader, in an order of its own, and works the fog out per
// vertex (as the frame's GL_FASTEST fog hint allows) where Mesa does it per
// fragment. Measured: largest difference 2, mean 0.036 to 0.069, at frames
// 1, 200 and the flight.
inline constexpr FrameTolerance sameRasterizer = {"the subset on llvmpipe", 0.15, 4, 0.0};

// The page in Chromium (WebGL on SwiftShader): GL leaves to the
// implementation how finely vertices are snapped, texture coordinates
// interpolated and texels filtered. Without mipmaps distant textures are
// minified by skipping texels, so such rounding flips a few pixels between
// unrelated texels: those differ by much, the picture as a whole by little.
// So the largest difference is free, the mean is held at twice the limit of
// the same driver and the share of pixels off by more than 32 at its (0.02%,
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

// Two pictures of a moving view taken moments apart, compared by the average
// colours of blocks of pixels: the averages forgive the few pixels a turning
// view or swaying plants move between the two moments, not another picture
// or one upside down.
struct BlockTolerance {
  const char *what;
  int block;         // side of the blocks, in pixels
  double meanBelow;  // the mean block difference, of 255, stays below this
};

// F12's saved picture against a screenshot taken a moment later: the view
// turns while the screen is grabbed. Measured with the frame tool: 4 after 5
// frames, 9 after 30; another view of the landscape 24 to 29, the same frame
// upside down 35.
inline constexpr BlockTolerance savedAgainstScreen = {"F12's picture against the screen", 16, 12.0};

inline bool WithinTolerance(double meanBlockDifference, const BlockTolerance &t) {
  return meanBlockDifference < t.meanBelow;
}
