// matrix_stacks.cpp: the model-view and projection stacks and the calls that
// multiply onto their current matrix. Translations and rotations can be
// recorded in display lists (the glyphs move the pen with one).
#include "gl_subset/display_lists.h"
#include "gl_subset/subset_state.h"

namespace {

// Whatever is worked out from the matrices follows their changes.
void CountChange(const MatrixStack &stack) {
  CountStateChange();
  if (&stack == &subsetState.modelview)
    ++subsetState.modelviewChanges;
  else
    ++subsetState.projectionChanges;
}

void ReplaceTop(const Matrix4 &m) {
  MatrixStack &stack = CurrentStack();
  stack.levels[stack.top] = m;
  CountChange(stack);
}

void MultiplyTop(const Matrix4 &m) {
  MatrixStack &stack = CurrentStack();
  ReplaceTop(MultiplyMatrices(stack.levels[stack.top], m));
}

// The product ClipMatrix gives, and the changes it was made at.
struct ClipProduct {
  bool valid;
  unsigned modelviewChanges, projectionChanges;
  Matrix4 matrix;
};

ClipProduct clipProduct;

}  // namespace

const Matrix4 &ClipMatrix() {
  ClipProduct &c = clipProduct;
  const SubsetState &s = subsetState;
  if (c.valid && c.modelviewChanges == s.modelviewChanges && c.projectionChanges == s.projectionChanges)
    return c.matrix;
  c.matrix = MultiplyMatrices(ProjectionTop(), ModelviewTop());
  c.modelviewChanges = s.modelviewChanges;
  c.projectionChanges = s.projectionChanges;
  c.valid = true;
  return c.matrix;
}

void SubsetMatrixMode(unsigned mode) {
  if (mode == GL_MODELVIEW || mode == GL_PROJECTION) subsetState.matrixMode = mode;
}

void SubsetLoadIdentity() { ReplaceTop(IdentityMatrix()); }

// A push on a full stack or a pop of its last matrix does nothing, as GL
// refuses them.
void SubsetPushMatrix() {
  MatrixStack &stack = CurrentStack();
  if (stack.top + 1 >= subsetStackDepth) return;
  stack.levels[stack.top + 1] = stack.levels[stack.top];
  ++stack.top;
  CountStateChange();
}

void SubsetPopMatrix() {
  MatrixStack &stack = CurrentStack();
  if (stack.top == 0) return;
  --stack.top;
  CountChange(stack);
}

void SubsetMultMatrixf(const float *m) {
  Matrix4 factor;
  for (int i = 0; i < 16; ++i) factor.m[i] = m[i];
  MultiplyTop(factor);
}

void SubsetMultMatrixd(const double *m) {
  Matrix4 factor;
  for (int i = 0; i < 16; ++i) factor.m[i] = (float)m[i];
  MultiplyTop(factor);
}

void SubsetTranslatef(float x, float y, float z) {
  if (RecordListOp(listTranslate, 0, x, y, z, 0)) return;
  MultiplyTop(TranslationMatrix(x, y, z));
}

void SubsetTranslated(double x, double y, double z) { SubsetTranslatef((float)x, (float)y, (float)z); }

void SubsetRotatef(float angle, float x, float y, float z) {
  if (RecordListOp(listRotate, 0, angle, x, y, z)) return;
  MultiplyTop(RotationMatrix(angle, x, y, z));
}

void SubsetOrtho(double left, double right, double bottom, double top, double zNear, double zFar) {
  MultiplyTop(OrthoMatrix(left, right, bottom, top, zNear, zFar));
}
