// raster.cpp: hard-edged strokes and leaves; a pixel is painted when its centre lies inside the shape.
#include "raster.h"

#include <algorithm>
#include <cmath>

namespace {

struct Box {
  int x0, y0, x1, y1;
};

Box Bounds(const RgbPicture &picture, Point2 a, Point2 b, double margin) {
  Box box;
  box.x0 = std::max(0, (int)std::floor(std::min(a.x, b.x) - margin));
  box.y0 = std::max(0, (int)std::floor(std::min(a.y, b.y) - margin));
  box.x1 = std::min(picture.width - 1, (int)std::ceil(std::max(a.x, b.x) + margin));
  box.y1 = std::min(picture.height - 1, (int)std::ceil(std::max(a.y, b.y) + margin));
  return box;
}

// Position of p along a-b (0..1 unclamped) and its signed distance from the line.
void Project(Point2 a, Point2 b, Point2 p, double &along, double &across) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double length2 = dx * dx + dy * dy;
  if (length2 <= 0.0) {
    along = 0.0;
    across = std::hypot(p.x - a.x, p.y - a.y);
    return;
  }
  along = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  across = ((p.x - a.x) * dy - (p.y - a.y) * dx) / std::sqrt(length2);
}

// Leaf outline: zero at both ends, widest a little below the middle.
double LeafProfile(double t) {
  if (t <= 0.0 || t >= 1.0) return 0.0;
  return std::pow(std::sin(3.14159265358979 * std::pow(t, 0.75)), 0.8);
}

}  // namespace

void PaintStroke(RgbPicture &picture, Point2 a, Point2 b, double ra, double rb, ShadeFn shade, const void *context) {
  Box box = Bounds(picture, a, b, std::max(ra, rb) + 1.0);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      double along, across;
      Point2 p = {x + 0.5, y + 0.5};
      Project(a, b, p, along, across);
      double t = std::clamp(along, 0.0, 1.0);
      double radius = ra + (rb - ra) * t;
      Point2 nearest = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
      double distance = std::hypot(p.x - nearest.x, p.y - nearest.y);
      if (radius <= 0.0 || distance > radius) continue;
      PixelAt(picture, x, y) = ToOpaqueRgb(shade(context, t, std::clamp(across / radius, -1.0, 1.0), x, y));
    }
  }
}

void PaintLeaf(RgbPicture &picture, Point2 base, Point2 tip, double halfWidth, ShadeFn shade, const void *context) {
  Box box = Bounds(picture, base, tip, halfWidth + 1.0);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      double along, across;
      Project(base, tip, Point2{x + 0.5, y + 0.5}, along, across);
      double width = halfWidth * LeafProfile(along);
      if (width <= 0.0 || std::fabs(across) > width) continue;
      PixelAt(picture, x, y) = ToOpaqueRgb(shade(context, along, across / width, x, y));
    }
  }
}

Point2 CurvePoint(Point2 p0, Point2 p1, Point2 p2, double t) {
  double a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, c = t * t;
  return Point2{a * p0.x + b * p1.x + c * p2.x, a * p0.y + b * p1.y + c * p2.y};
}

Point2 CurveDirection(Point2 p0, Point2 p1, Point2 p2, double t) {
  double dx = 2 * (1 - t) * (p1.x - p0.x) + 2 * t * (p2.x - p1.x);
  double dy = 2 * (1 - t) * (p1.y - p0.y) + 2 * t * (p2.y - p1.y);
  double length = std::hypot(dx, dy);
  return length > 0 ? Point2{dx / length, dy / length} : Point2{0, -1};
}

namespace {

// Hands a curve segment's local position on as the position along the whole curve.
struct SegmentShade {
  ShadeFn shade;
  const void *context;
  double t0, t1;
};

Colour ShadeSegment(const void *context, double along, double across, int x, int y) {
  const SegmentShade *segment = (const SegmentShade *)context;
  return segment->shade(segment->context, segment->t0 + (segment->t1 - segment->t0) * along, across, x, y);
}

}  // namespace

void PaintCurve(RgbPicture &picture, Point2 p0, Point2 p1, Point2 p2, double r0, double r2, ShadeFn shade,
                const void *context) {
  double span = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y);
  int segments = std::max(2, (int)(span / 4.0));
  for (int k = 0; k < segments; ++k) {
    double t0 = (double)k / segments, t1 = (double)(k + 1) / segments;
    SegmentShade segment = {shade, context, t0, t1};
    PaintStroke(picture, CurvePoint(p0, p1, p2, t0), CurvePoint(p0, p1, p2, t1), r0 + (r2 - r0) * t0,
                r0 + (r2 - r0) * t1, ShadeSegment, &segment);
  }
}

void FillPinholes(RgbPicture &picture) {
  RgbPicture before = picture;
  for (int y = 1; y + 1 < picture.height; ++y) {
    for (int x = 1; x + 1 < picture.width; ++x) {
      if (!IsKeyBlack(PixelAt(before, x, y))) continue;
      Rgb around[4] = {PixelAt(before, x - 1, y), PixelAt(before, x + 1, y), PixelAt(before, x, y - 1),
                       PixelAt(before, x, y + 1)};
      Colour sum = {0, 0, 0};
      bool enclosed = true;
      for (Rgb c : around) {
        enclosed = enclosed && !IsKeyBlack(c);
        sum = Colour{sum.r + c.red / 1020.0, sum.g + c.green / 1020.0, sum.b + c.blue / 1020.0};
      }
      if (enclosed) PixelAt(picture, x, y) = ToOpaqueRgb(sum);
    }
  }
}
