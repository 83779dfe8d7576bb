// texture_atlas.cpp: the textures' images packed on shelves into one square
// ES texture, which doubles in size (up to what the context allows) when an
// image no longer fits. The images stay here too, with their borders, so the
// atlas can be made again: after it grows, and in a new context.
#include "gl_subset/texture_atlas.h"

#include <GLES2/gl2.h>

#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

struct StoredTexture {
  int width, height;
  int x, y;  // the bordered image's corner in the atlas
  std::vector<unsigned char> bordered;  // (width + 2) x (height + 2) RGBA texels
};

// The white texel sampled by untextured primitives: a texture of its own,
// under a name no texture gets.
constexpr unsigned whiteTexel = 0;

struct Atlas {
  std::unordered_map<unsigned, StoredTexture> textures;
  std::vector<unsigned> order;  // the textures with images, in the order they came
  unsigned nextName = 1;
  int side = 1024;
  int shelfX = 0, shelfY = 0, shelfHeight = 0;
  GLuint esTexture = 0;
  bool stale = true;  // the ES texture must be made again, every image with it
};

Atlas atlas;

// The texel of an image at (x, y), rows padded to the unpack alignment.
const unsigned char *SourceTexel(const unsigned char *pixels, int width, int bytes, int alignment, int x, int y) {
  size_t stride = ((size_t)width * bytes + alignment - 1) / alignment * alignment;
  return pixels + (size_t)y * stride + (size_t)x * bytes;
}

// The image with a border of one texel on each side taken from the opposite
// edge, as GL_REPEAT filtering would reach it.
std::vector<unsigned char> Bordered(int width, int height, int bytes, const unsigned char *pixels, int alignment) {
  int w = width + 2, h = height + 2;
  std::vector<unsigned char> out((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char *in = SourceTexel(pixels, width, bytes, alignment, (x + width - 1) % width,
                                            (y + height - 1) % height);
      unsigned char *texel = &out[((size_t)y * w + x) * 4];
      memcpy(texel, in, 3);
      texel[3] = bytes == 4 ? in[3] : 255;
    }
  return out;
}

// A place on the shelves for a bordered image; false when the atlas is full.
bool Place(StoredTexture &t) {
  int w = t.width + 2, h = t.height + 2;
  if (atlas.shelfX + w > atlas.side) {
    atlas.shelfY += atlas.shelfHeight;
    atlas.shelfX = atlas.shelfHeight = 0;
  }
  if (atlas.shelfY + h > atlas.side || w > atlas.side) return false;
  t.x = atlas.shelfX;
  t.y = atlas.shelfY;
  atlas.shelfX += w;
  if (h > atlas.shelfHeight) atlas.shelfHeight = h;
  return true;
}

// Every image placed again from the top, in a larger atlas where needed.
bool PackAll() {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  for (;;) {
    atlas.shelfX = atlas.shelfY = atlas.shelfHeight = 0;
    bool fits = true;
    for (unsigned name : atlas.order) fits = fits && Place(atlas.textures[name]);
    if (fits) return true;
    if (atlas.side * 2 > largest) return false;
    atlas.side *= 2;
  }
}

void Upload(const StoredTexture &t) {
  glTexSubImage2D(GL_TEXTURE_2D, 0, t.x, t.y, t.width + 2, t.height + 2, GL_RGBA, GL_UNSIGNED_BYTE,
                  t.bordered.data());
}

void MakeEsTexture() {
  if (atlas.esTexture == 0) glGenTextures(1, &atlas.esTexture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, atlas.esTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, atlas.side, atlas.side, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  for (unsigned name : atlas.order) Upload(atlas.textures[name]);
  atlas.stale = false;
}

// Forgets a texture's image; its place stays unused until the atlas is packed again.
void DropImage(unsigned name) {
  std::erase(atlas.order, name);
  atlas.textures.erase(name);
}

// Keeps an image with its border and puts it into the atlas: at once where
// the atlas has room, or into a larger atlas made when next drawn with.
bool StoreImage(unsigned name, int width, int height, unsigned format, const void *pixels, int alignment) {
  DropImage(name);
  StoredTexture t = {width, height, 0, 0,
                     Bordered(width, height, format == GL_RGBA ? 4 : 3, (const unsigned char *)pixels, alignment)};
  atlas.textures[name] = std::move(t);
  atlas.order.push_back(name);
  if (Place(atlas.textures[name])) {
    if (!atlas.stale) {
      glActiveTexture(GL_TEXTURE0);
      glBindTexture(GL_TEXTURE_2D, atlas.esTexture);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
      Upload(atlas.textures[name]);
    }
    return true;
  }
  atlas.stale = true;  // a larger atlas, made when next drawn with
  if (PackAll()) return true;
  DropImage(name);
  PackAll();
  return false;
}

}  // namespace

void MakeTextureNames(int count, unsigned *names) {
  for (int i = 0; i < count; ++i) names[i] = atlas.nextName++;
}

void ForgetTextures(int count, const unsigned *names) {
  for (int i = 0; i < count; ++i)
    if (names[i] != whiteTexel) DropImage(names[i]);  // GL passes over name 0
}

bool StoreTextureImage(unsigned name, int width, int height, unsigned format, const void *pixels, int alignment) {
  if (name == whiteTexel || width <= 0 || height <= 0 || pixels == nullptr || (format != GL_RGBA && format != GL_RGB))
    return false;
  return StoreImage(name, width, height, format, pixels, alignment);
}

AtlasPlace PlaceOfTexture(unsigned name) {
  if (atlas.textures.count(whiteTexel) == 0) {
    constexpr unsigned char white[4] = {255, 255, 255, 255};
    StoreImage(whiteTexel, 1, 1, GL_RGBA, white, 4);
  }
  auto found = atlas.textures.find(name);
  if (found == atlas.textures.end()) found = atlas.textures.find(whiteTexel);
  const StoredTexture &t = found->second;
  float side = (float)atlas.side;
  return AtlasPlace{(t.x + 1) / side, (t.y + 1) / side, t.width / side, t.height / side};
}

unsigned AtlasTexture() {
  // A context that has not got the atlas (the first, or a new one, which the
  // subset is told of) gets it.
  if (atlas.stale) MakeEsTexture();
  return atlas.esTexture;
}

void ForgetAtlasTexture() {
  atlas.esTexture = 0;
  atlas.stale = true;
}

void ForgetAllTextures() {
  if (atlas.esTexture != 0) glDeleteTextures(1, &atlas.esTexture);
  atlas = Atlas{};
}
