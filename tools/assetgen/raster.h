// raster.h: hard-edged shape painting for keyed pictures (no blending into the black key around a shape).
#pragma once

#include "picture.h"

struct Point2 {
  double x, y;
};

// Paints every pixel whose centre lies within `radius` of the segment a-b
// (radius blends linearly from ra to rb). `shade` picks the colour per pixel
// from the position along the segment (0 at a, 1 at b) and across it (-1..1).
using ShadeFn = Colour (*)(const void *context, double along, double across, int x, int y);
void PaintStroke(RgbPicture &picture, Point2 a, Point2 b, double ra, double rb, ShadeFn shade, const void *context);

// Paints the ellipse-like leaf from `base` to `tip` with half-width `halfWidth`
// at its widest; `shade` as above (along 0 at the base, across -1..1).
void PaintLeaf(RgbPicture &picture, Point2 base, Point2 tip, double halfWidth, ShadeFn shade, const void *context);

// Paints a quadratic Bezier curve p0-p1-p2 as a stroke whose radius goes from
// r0 to r2; `along` passed to `shade` runs 0..1 over the whole curve.
void PaintCurve(RgbPicture &picture, Point2 p0, Point2 p1, Point2 p2, double r0, double r2, ShadeFn shade,
                const void *context);

Point2 CurvePoint(Point2 p0, Point2 p1, Point2 p2, double t);
// Unit tangent of the curve at t.
Point2 CurveDirection(Point2 p0, Point2 p1, Point2 p2, double t);

// Fills each key-black pixel whose four neighbours are all painted with their
// average: a gap that small between two shapes would show as a dark pinhole.
void FillPinholes(RgbPicture &picture);
