// plants.cpp: draws fern, bush, grass clump and leaf from curves and leaf shapes with seeded variation.
#include "plants.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "random.h"
#include "raster.h"

namespace {

constexpr double pi = 3.14159265358979;

// Colour of one leaf or stem: `base` in the middle, darker along the midrib
// and at the root, lighter towards the tip.
struct LeafTone {
  Colour base;
  double midrib;  // how much the centre line darkens (0..1)
};

Colour ShadeLeaf(const void *context, double along, double across, int, int) {
  const LeafTone *tone = (const LeafTone *)context;
  double light = 0.8 + 0.35 * along - 0.15 * across;
  double rib = tone->midrib * (1.0 - SmoothStep(0.0, 0.22, std::fabs(across)));
  return ScaleColour(tone->base, light * (1.0 - rib));
}

Colour ShadeStem(const void *context, double along, double across, int, int) {
  const LeafTone *tone = (const LeafTone *)context;
  // Round stem lit from the left.
  return ScaleColour(tone->base, (0.85 + 0.3 * along) * (1.0 - 0.25 * across));
}

Point2 Offset(Point2 p, Point2 direction, double distance) {
  return Point2{p.x + direction.x * distance, p.y + direction.y * distance};
}

Point2 Rotate(Point2 v, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  return Point2{v.x * c - v.y * s, v.x * s + v.y * c};
}

// ---- fern

struct Frond {
  Point2 base, control, tip;
  double pinnaLength;
  Colour colour;
};

void DrawFrond(RgbPicture &picture, const Frond &frond, RandomStream &random) {
  LeafTone stem = {ScaleColour(frond.colour, 0.75), 0.0};
  PaintCurve(picture, frond.base, frond.control, frond.tip, 1.8, 0.6, ShadeStem, &stem);
  double span = std::hypot(frond.tip.x - frond.base.x, frond.tip.y - frond.base.y);
  // The stalk stays bare for its lower third, as a fern's does.
  int pairs = (int)(span * 0.68 / 9.0);
  for (int k = 0; k < pairs; ++k) {
    double t = 0.3 + 0.68 * k / pairs;
    Point2 at = CurvePoint(frond.base, frond.control, frond.tip, t);
    Point2 along = CurveDirection(frond.base, frond.control, frond.tip, t);
    // Pinnae are longest near the middle of the leafy part and shrink to the tip.
    double leafy = (t - 0.3) / 0.7;
    double length = frond.pinnaLength * std::pow(std::sin(pi * (0.15 + 0.85 * leafy)), 0.8) + 2.0;
    for (int side = -1; side <= 1; side += 2) {
      Point2 out = Rotate(along, side * (pi / 2 - 0.55));
      Point2 root = Offset(at, along, side * 1.5);  // alternate a little along the stem
      Point2 tip = Offset(Offset(root, out, length), Point2{0, 1}, length * 0.15);  // they droop slightly
      LeafTone tone = {ScaleColour(frond.colour, RandomRange(random, 0.9, 1.1)), 0.35};
      PaintLeaf(picture, root, tip, std::max(1.6, length * 0.2), ShadeLeaf, &tone);
    }
  }
}

}  // namespace

RgbPicture MakeFern() {
  RgbPicture fern = MakePicture(128, 512, keyBlack);
  RandomStream random = MakeRandomStream(501);
  // Outer, older fronds first (darker, arching furthest), the young upright ones in front.
  // A vase of fronds fanning out from the root: a tall, narrow billboard
  // still reads as a fern when the fronds spread to its full width.
  constexpr double frondLeans[] = {-0.95, 0.9, -0.7, 0.75, -0.45, 0.5, -0.2, 0.25, 0.0};
  constexpr int frondCount = 9;
  for (int k = 0; k < frondCount; ++k) {
    double lean = frondLeans[k] + RandomRange(random, -0.05, 0.05);
    double spread = std::fabs(lean);
    double age = 1.0 - (double)k / (frondCount - 1);
    Frond frond;
    frond.base = Point2{64 + lean * 6, 511};
    frond.control = Point2{64 + lean * 44, 300 - spread * 60};
    frond.tip = Point2{64 + lean * 52, 30 + spread * 110 + RandomRange(random, 0, 30)};
    frond.pinnaLength = 17.0 - 3.0 * spread;
    frond.colour = MixColour(HexColour(0x67a23a), HexColour(0x34602a), age * 0.85);
    DrawFrond(fern, frond, random);
  }
  FillPinholes(fern);
  return fern;
}

namespace {

// ---- bush

struct BushLeaf {
  Point2 at;
  double depth;  // 0 at the back of the crown, 1 at the front
  double angle, length;
};

// Crown outline: a lumpy dome resting on the stems, about 236 wide and 100 high.
bool InCrown(double x, double y) {
  double dx = (x - 128) / 116, dy = (y - 70) / 60;
  double angle = std::atan2(dy, dx);
  double lumps = 0.1 * GradientNoise(NoiseLayer{602, 9, 1}, (angle + pi) / (2 * pi) * 9, 0.5);
  double bottom = 104 + 8 * GradientNoise(NoiseLayer{603, 6, 1}, x / 256 * 6, 0.5);
  return std::sqrt(dx * dx + dy * dy) < 1.0 + lumps && y < bottom;
}

void DrawBranches(RgbPicture &picture, RandomStream &random) {
  LeafTone bark = {HexColour(0x6a5236), 0.0};
  for (int k = 0; k < 9; ++k) {
    double spread = (k - 4) / 4.0 + RandomRange(random, -0.08, 0.08);
    Point2 base = {128 + spread * 14, 128};
    Point2 tip = {128 + spread * 92, 40 + std::fabs(spread) * 30 + RandomRange(random, 0, 14)};
    Point2 control = {128 + spread * 40, 100};
    PaintCurve(picture, base, control, tip, 3.2 - std::fabs(spread), 0.8, ShadeStem, &bark);
  }
}

std::vector<BushLeaf> PlaceBushLeaves(RandomStream &random) {
  std::vector<BushLeaf> leaves;
  while (leaves.size() < 1100) {
    BushLeaf leaf = {{RandomRange(random, 6, 250), RandomRange(random, 6, 114)}, RandomUnit(random),
                     RandomRange(random, 0, 2 * pi), RandomRange(random, 8, 13)};
    if (InCrown(leaf.at.x, leaf.at.y)) leaves.push_back(leaf);
  }
  // Back to front, so nearer leaves cover the ones behind them.
  std::sort(leaves.begin(), leaves.end(), [](const BushLeaf &a, const BushLeaf &b) { return a.depth < b.depth; });
  return leaves;
}

Colour BushLeafColour(const BushLeaf &leaf, RandomStream &random) {
  // Lit from above and in front: leaves high up and near the front are bright,
  // those deep in the crown are in its shade.
  double height = 1.0 - leaf.at.y / 128.0;
  double light = Clamp01(0.25 + 0.5 * leaf.depth + 0.35 * height + RandomRange(random, -0.08, 0.08));
  Colour shade = HexColour(0x2a4a1e), lit = HexColour(0x86b24c);
  Colour c = MixColour(shade, lit, light);
  return RandomUnit(random) < 0.06 ? MixColour(c, HexColour(0xb0a848), 0.4) : c;  // a few yellowing leaves
}

}  // namespace

RgbPicture MakeBush() {
  RgbPicture bush = MakePicture(256, 128, keyBlack);
  RandomStream random = MakeRandomStream(601);
  DrawBranches(bush, random);
  for (const BushLeaf &leaf : PlaceBushLeaves(random)) {
    Point2 direction = {std::cos(leaf.angle), std::sin(leaf.angle)};
    Point2 tip = Offset(leaf.at, direction, leaf.length);
    LeafTone tone = {BushLeafColour(leaf, random), 0.25};
    PaintLeaf(bush, leaf.at, tip, leaf.length * 0.36, ShadeLeaf, &tone);
  }
  FillPinholes(bush);
  return bush;
}

namespace {

// ---- grass clump

struct BladeTone {
  Colour root, tip;
};

Colour ShadeBlade(const void *context, double along, double across, int, int) {
  const BladeTone *tone = (const BladeTone *)context;
  // A keel down the middle of the blade catches the light on one side.
  return ScaleColour(MixColour(tone->root, tone->tip, std::pow(along, 0.8)), 1.0 - 0.18 * across);
}

void DrawClumpBlade(RgbPicture &picture, RandomStream &random, double depth) {
  double rootX = RandomRange(random, 104, 152);
  double lean = RandomRange(random, -1.0, 1.0);
  double height = RandomRange(random, 110, 235) * (1.0 - 0.35 * std::fabs(lean));
  Point2 root = {rootX, 256};
  Point2 control = {rootX + lean * 40, 256 - height * 0.9};
  // Long leaning blades bend over under their own weight.
  Point2 tip = {rootX + lean * 95, 256 - height + std::fabs(lean) * lean * lean * 70};
  tip.x = std::clamp(tip.x, 6.0, 250.0);
  BladeTone tone;
  double light = 0.6 + 0.4 * depth;
  tone.root = ScaleColour(HexColour(0x2f5a1e), light);
  tone.tip = ScaleColour(MixColour(HexColour(0x7fae3e), HexColour(0xa9b85a), RandomUnit(random)), light);
  if (RandomUnit(random) < 0.12) {  // last year's dry blades
    tone.root = ScaleColour(HexColour(0x7c7244), light);
    tone.tip = ScaleColour(HexColour(0xc8b878), light);
  }
  PaintCurve(picture, root, control, tip, RandomRange(random, 2.2, 3.4), 0.4, ShadeBlade, &tone);
}

void DrawSeedHead(RgbPicture &picture, RandomStream &random) {
  double rootX = RandomRange(random, 112, 144);
  Point2 root = {rootX, 256};
  Point2 tip = {rootX + RandomRange(random, -60, 60), RandomRange(random, 14, 40)};
  Point2 control = {rootX + (tip.x - rootX) * 0.3, 120};
  LeafTone stalk = {HexColour(0x8a9a4a), 0.0};
  PaintCurve(picture, root, control, tip, 1.4, 0.8, ShadeStem, &stalk);
  // Spikelets hang along the top fifth of the stalk.
  for (int k = 0; k < 12; ++k) {
    double t = 0.8 + 0.2 * k / 12.0;
    Point2 at = CurvePoint(root, control, tip, t);
    Point2 along = CurveDirection(root, control, tip, t);
    Point2 out = Rotate(along, (k % 2 ? 1 : -1) * 0.5);
    LeafTone tone = {MixColour(HexColour(0xb8b070), HexColour(0x9c8a5a), RandomUnit(random)), 0.2};
    PaintLeaf(picture, at, Offset(at, out, 9), 2.6, ShadeLeaf, &tone);
  }
}

}  // namespace

RgbPicture MakeGrassClump() {
  RgbPicture clump = MakePicture(256, 256, keyBlack);
  RandomStream random = MakeRandomStream(701);
  constexpr int bladeCount = 70;
  for (int k = 0; k < bladeCount; ++k) {
    DrawClumpBlade(clump, random, (double)k / bladeCount);
    if (k % 20 == 10) DrawSeedHead(clump, random);
  }
  FillPinholes(clump);
  return clump;
}

namespace {

// ---- leaf

// Veins are painted over the finished blade and kept only where the blade is,
// so none pokes out past the edge.
void DrawLeafVeins(RgbPicture &picture, Point2 base, Point2 tip, double halfWidth) {
  RgbPicture veined = picture;
  LeafTone vein = {HexColour(0x86b454), 0.0};
  PaintStroke(veined, base, tip, 1.4, 0.5, ShadeStem, &vein);
  Point2 along = {tip.x - base.x, tip.y - base.y};
  double length = std::hypot(along.x, along.y);
  along = Point2{along.x / length, along.y / length};
  for (int k = 1; k <= 6; ++k) {
    double t = 0.1 + 0.13 * k;
    Point2 at = Offset(base, along, length * t);
    double reach = halfWidth * std::sin(pi * std::pow(t, 0.75));
    for (int side = -1; side <= 1; side += 2) {
      Point2 out = Rotate(along, side * 0.75);
      PaintStroke(veined, at, Offset(at, out, reach / std::sin(0.75)), 0.7, 0.3, ShadeStem, &vein);
    }
  }
  for (size_t k = 0; k < picture.pixels.size(); ++k) {
    if (!IsKeyBlack(picture.pixels[k])) picture.pixels[k] = veined.pixels[k];
  }
}

}  // namespace

RgbPicture MakeLeaf() {
  RgbPicture leaf = MakePicture(128, 128, keyBlack);
  Point2 stalkBase = {22, 118}, base = {38, 98}, tip = {112, 16};
  LeafTone stalk = {HexColour(0x7a8a3a), 0.0};
  PaintStroke(leaf, stalkBase, base, 2.2, 1.8, ShadeStem, &stalk);
  LeafTone blade = {HexColour(0x5f9a34), 0.0};
  PaintLeaf(leaf, Offset(base, Point2{-0.6, 0.6}, 3), tip, 34, ShadeLeaf, &blade);
  DrawLeafVeins(leaf, base, Offset(tip, Point2{-0.7, 0.7}, 8), 34);
  FillPinholes(leaf);
  return leaf;
}
