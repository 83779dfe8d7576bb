// subset_state.cpp: the switches, fog and lights as GL 1.1 keeps them, with
// GL's defaults; the ES side reads them when it draws.
#include "gl_subset/subset_state.h"

#include <GLES2/gl2.h>

#include <cstring>

namespace {

void ResetStack(MatrixStack &stack) {
  stack.top = 0;
  stack.levels[0] = IdentityMatrix();
}

// GL's light defaults: all dark but light 0's diffuse, which is white; every
// light sits at (0, 0, 1, 0), a direction towards the viewer.
void ResetLight(SubsetLight &light, int index) {
  float diffuse = index == 0 ? 1.0f : 0.0f;
  light = SubsetLight{false, {0, 0, 0, 1}, {diffuse, diffuse, diffuse, 1}, {0, 0, 1, 0}, {0, 0, -1}};
}

// The light a GL_LIGHTi value names, or null.
SubsetLight *LightFor(unsigned light) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + subsetLightCount) return nullptr;
  return &subsetState.lights[light - GL_LIGHT0];
}

// The switch a capability names, or null where the subset has none.
bool *SwitchFor(unsigned cap) {
  SubsetState &s = subsetState;
  switch (cap) {
    case GL_LIGHTING: return &s.lighting;
    case GL_FOG: return &s.fog;
    case GL_TEXTURE_2D: return &s.texturing;
    case GL_DEPTH_TEST: return &s.raster.depthTest;
    case GL_BLEND: return &s.raster.blend;
    case GL_CULL_FACE: return &s.raster.cullFace;
  }
  if (SubsetLight *light = LightFor(cap)) return &light->enabled;
  return nullptr;
}

// Setting a switch to what it already is changes nothing.
void SetSwitch(unsigned cap, bool on) {
  bool *flag = SwitchFor(cap);
  if (flag == nullptr || *flag == on) return;
  *flag = on;
  CountStateChange();
}

// Copies values into state, counting a change only where they differ.
void SetValues(float *state, const float *values, int count) {
  if (memcmp(state, values, sizeof(float) * count) == 0) return;
  memcpy(state, values, sizeof(float) * count);
  CountStateChange();
}

// A new context's state, as GL 1.1 lists its defaults.
SubsetState DefaultState() {
  SubsetState s;
  ResetStack(s.modelview);
  ResetStack(s.projection);
  s.matrixMode = GL_MODELVIEW;
  s.modelviewChanges = s.projectionChanges = s.stateChanges = 0;
  constexpr float white[4] = {1, 1, 1, 1};
  memcpy(s.colour, white, sizeof s.colour);
  s.normal[0] = s.normal[1] = 0.0f;
  s.normal[2] = 1.0f;
  s.texCoord[0] = s.texCoord[1] = 0.0f;
  s.lighting = s.fog = s.texturing = false;
  s.raster = RasterState{false, false, false, GL_LESS, GL_ONE, GL_ZERO};
  memset(s.fogColour, 0, sizeof s.fogColour);
  s.fogDensity = 1.0f;
  for (int i = 0; i < subsetLightCount; ++i) ResetLight(s.lights[i], i);
  s.boundTexture = 0;
  s.packAlignment = s.unpackAlignment = 4;
  memset(s.clearColour, 0, sizeof s.clearColour);
  s.clearDepth = 1.0f;
  s.viewportSet = false;
  memset(s.viewport, 0, sizeof s.viewport);
  return s;
}

}  // namespace

SubsetState subsetState = DefaultState();

void ResetSubsetState() {
  // The count goes on, so nothing derived from the old matrix survives.
  SubsetState old = subsetState;
  subsetState = DefaultState();
  subsetState.modelviewChanges = old.modelviewChanges + 1;
  subsetState.projectionChanges = old.projectionChanges + 1;
  subsetState.stateChanges = old.stateChanges + 1;
}

MatrixStack &CurrentStack() {
  return subsetState.matrixMode == GL_PROJECTION ? subsetState.projection : subsetState.modelview;
}

void SubsetEnable(unsigned cap) { SetSwitch(cap, true); }
void SubsetDisable(unsigned cap) { SetSwitch(cap, false); }

// The hints leave the choice to the implementation; the subset has one way.
void SubsetHint(unsigned, unsigned) {}

// Colours are always interpolated: flat shading is not part of the subset.
void SubsetShadeModel(unsigned) {}

void SubsetDepthFunc(unsigned func) {
  if (subsetState.raster.depthFunc == func) return;
  subsetState.raster.depthFunc = func;
  CountStateChange();
}

void SubsetBlendFunc(unsigned source, unsigned destination) {
  RasterState &r = subsetState.raster;
  if (r.blendSource == source && r.blendDestination == destination) return;
  r.blendSource = source;
  r.blendDestination = destination;
  CountStateChange();
}

// Only GL_EXP fog exists here (GL's default mode, the only one Talmir uses).
void SubsetFogf(unsigned name, float value) {
  if (name == GL_FOG_DENSITY && value >= 0.0f) SetValues(&subsetState.fogDensity, &value, 1);
}

void SubsetFogfv(unsigned name, const float *values) {
  if (name == GL_FOG_DENSITY) SubsetFogf(name, values[0]);
  if (name != GL_FOG_COLOR) return;
  float colour[4];
  for (int i = 0; i < 4; ++i) colour[i] = values[i] < 0 ? 0 : values[i] > 1 ? 1 : values[i];
  SetValues(subsetState.fogColour, colour, 4);
}

// Positions and directions are taken into eye coordinates by the model-view
// matrix of the moment, as GL does.
void SubsetLightfv(unsigned lightName, unsigned name, const float *values) {
  SubsetLight *light = LightFor(lightName);
  if (light == nullptr) return;
  float eye[4];
  switch (name) {
    case GL_AMBIENT: SetValues(light->ambient, values, 4); break;
    case GL_DIFFUSE: SetValues(light->diffuse, values, 4); break;
    case GL_POSITION:
      TransformPoint(ModelviewTop(), values, eye);
      SetValues(light->position, eye, 4);
      break;
    case GL_SPOT_DIRECTION: {
      const float direction[4] = {values[0], values[1], values[2], 0.0f};
      TransformPoint(ModelviewTop(), direction, eye);
      SetValues(light->spotDirection, eye, 3);
      break;
    }
  }
}

void SubsetGetFloatv(unsigned name, float *values) {
  switch (name) {
    case GL_CURRENT_NORMAL: memcpy(values, subsetState.normal, sizeof subsetState.normal); break;
    case GL_CURRENT_COLOR: memcpy(values, subsetState.colour, sizeof subsetState.colour); break;
    case GL_MODELVIEW_MATRIX: memcpy(values, ModelviewTop().m, sizeof(Matrix4)); break;
    case GL_PROJECTION_MATRIX: memcpy(values, ProjectionTop().m, sizeof(Matrix4)); break;
  }
}
