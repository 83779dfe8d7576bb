// subset_state.h: what the subset keeps of a GL context's state: the matrix
// stacks, the current vertex attributes, the switches, the fog and the
// lights, the bound texture. One record for the program: Talmir has one
// context at a time.
#pragma once

#include "gl_subset/gl_subset.h"
#include "gl_subset/matrix_maths.h"

struct MatrixStack {
  Matrix4 levels[subsetStackDepth];
  int top;  // index of the current matrix
};

struct SubsetLight {
  bool enabled;
  float ambient[4], diffuse[4];
  float position[4];       // in eye coordinates, as the model-view stood when it was given
  float spotDirection[3];  // kept; with the spot cut-off at its 180 degrees it changes nothing
};

// What decides how a primitive's fragments reach the frame; primitives drawn
// together share it.
struct RasterState {
  bool depthTest, blend, cullFace;
  unsigned depthFunc, blendSource, blendDestination;
  bool operator==(const RasterState &) const = default;
};

struct SubsetState {
  MatrixStack modelview, projection;
  unsigned matrixMode;
  unsigned modelviewChanges, projectionChanges;  // count changes, so derived matrices follow
  unsigned stateChanges;  // counts every change of state: a run of primitives drawn together ends
  float colour[4], normal[3], texCoord[2];
  bool lighting, fog, texturing;
  RasterState raster;
  float fogColour[4], fogDensity;
  SubsetLight lights[subsetLightCount];
  unsigned boundTexture;
  int packAlignment, unpackAlignment;
  // What is forwarded to the context, kept to be set again in a restored one.
  float clearColour[4], clearDepth;
  bool viewportSet;
  int viewport[4];
};

extern SubsetState subsetState;  // program-wide; GL's defaults at start

// Everything back at GL's defaults, as in a new context.
void ResetSubsetState();
// A change of state that ends the run of primitives drawn together.
inline void CountStateChange() { ++subsetState.stateChanges; }
// The stack glMatrixMode chose, and its current matrix.
MatrixStack &CurrentStack();
inline const Matrix4 &ModelviewTop() { return subsetState.modelview.levels[subsetState.modelview.top]; }
inline const Matrix4 &ProjectionTop() { return subsetState.projection.levels[subsetState.projection.top]; }
// The projection times the model-view: object to clip coordinates in one
// step, as in Mesa's fixed function; worked out again when either changes.
const Matrix4 &ClipMatrix();
