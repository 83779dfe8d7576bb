// es_forwarding.cpp: the GL calls that ES 2.0 has too (clearing, the
// viewport, textures, reading the picture back), passed on to it once what
// waits in the batch is drawn, so that everything happens in GL's order.
#include <GLES2/gl2.h>

#include <cstring>
#include <vector>

#include "gl_subset/display_lists.h"
#include "gl_subset/draw_batch.h"
#include "gl_subset/subset_state.h"
#include "gl_subset/texture_atlas.h"

namespace {

// Rows of RGBA become rows of RGB, each padded to the pack alignment.
void PackRgb(const unsigned char *rgba, int width, int height, unsigned char *out) {
  int alignment = subsetState.packAlignment;
  size_t stride = ((size_t)width * 3 + alignment - 1) / alignment * alignment;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) memcpy(out + y * stride + x * 3, rgba + ((size_t)y * width + x) * 4, 3);
}

}  // namespace

void SubsetClearColor(float red, float green, float blue, float alpha) {
  const float colour[4] = {red, green, blue, alpha};
  memcpy(subsetState.clearColour, colour, sizeof colour);
  glClearColor(red, green, blue, alpha);
}

void SubsetClearDepth(double depth) {
  subsetState.clearDepth = (float)depth;
  glClearDepthf((float)depth);
}

void SubsetClear(unsigned mask) {
  FlushBatch();
  glClear(mask);
}

void SubsetViewport(int x, int y, int width, int height) {
  FlushBatch();
  subsetState.viewportSet = true;
  const int viewport[4] = {x, y, width, height};
  memcpy(subsetState.viewport, viewport, sizeof viewport);
  glViewport(x, y, width, height);
}

// Textures are the atlas's (texture_atlas.h); names are the subset's own.
void SubsetGenTextures(int count, unsigned *names) {
  if (count > 0) MakeTextureNames(count, names);
}

void SubsetDeleteTextures(int count, const unsigned *names) {
  FlushBatch();
  ForgetTextures(count, names);
}

// Binding only chooses the texture that the next primitives sample.
void SubsetBindTexture(unsigned target, unsigned name) {
  if (target != GL_TEXTURE_2D || subsetState.boundTexture == name) return;
  subsetState.boundTexture = name;
  CountStateChange();
}

// Every texture repeats and is filtered linearly, the parameters Talmir sets
// (GL's default wrapping and GL_LINEAR both ways); others are not kept.
void SubsetTexParameteri(unsigned, unsigned, int) {}

// What waits is drawn first, with the textures as they were.
void SubsetTexImage2D(unsigned target, int level, int internalFormat, int width, int height, int border,
                      unsigned format, unsigned type, const void *pixels) {
  (void)internalFormat;
  if (target != GL_TEXTURE_2D || level != 0 || border != 0 || type != GL_UNSIGNED_BYTE) return;
  FlushBatch();
  StoreTextureImage(subsetState.boundTexture, width, height, format, pixels, subsetState.unpackAlignment);
}

// Both alignments are the subset's own: reading turns RGBA into the rows
// asked for, and the atlas copies images from rows of the unpack alignment.
void SubsetPixelStorei(unsigned name, int value) {
  if (value != 1 && value != 2 && value != 4 && value != 8) return;
  if (name == GL_PACK_ALIGNMENT) subsetState.packAlignment = value;
  if (name == GL_UNPACK_ALIGNMENT) subsetState.unpackAlignment = value;
}

// The viewport, as set; one never set is the context's own, asked for.
void SubsetGetIntegerv(unsigned name, int *values) {
  if (name != GL_VIEWPORT) return;
  if (subsetState.viewportSet)
    memcpy(values, subsetState.viewport, sizeof subsetState.viewport);
  else
    glGetIntegerv(GL_VIEWPORT, values);
}

// ES reads the buffer being drawn, the back buffer, which is all GL_BACK asks.
void SubsetReadBuffer(unsigned) {}

// ES promises RGBA bytes; GL_RGB is made from them.
void SubsetReadPixels(int x, int y, int width, int height, unsigned format, unsigned type, void *pixels) {
  FlushBatch();
  if (type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0 || (format != GL_RGBA && format != GL_RGB)) return;
  if (format == GL_RGBA) {
    glPixelStorei(GL_PACK_ALIGNMENT, subsetState.packAlignment);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return;
  }
  std::vector<unsigned char> rgba((size_t)width * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  PackRgb(rgba.data(), width, height, (unsigned char *)pixels);
}

// The end of a frame, as the platforms call it before the picture is shown.
void SubsetFlush() {
  EndBatchFrame();
  glFlush();
}

void SubsetFinish() {
  FlushBatch();
  glFinish();
}

void EndSubsetContext() {
  EndBatchContext();
  ForgetAllTextures();
  ForgetAllLists();
  ResetSubsetState();
}

void SubsetContextGone() {
  ForgetBatchContext();
  ForgetAtlasTexture();
  ForgetAllTextures();
  ForgetAllLists();
  ResetSubsetState();
}

// A viewport never set is the new context's own, the surface's size.
void SubsetContextRestored() {
  ForgetBatchContext();
  ForgetAtlasTexture();
  const SubsetState &s = subsetState;
  glClearColor(s.clearColour[0], s.clearColour[1], s.clearColour[2], s.clearColour[3]);
  glClearDepthf(s.clearDepth);
  if (s.viewportSet) glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
}
