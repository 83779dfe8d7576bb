// texture_set.cpp: the nine texture files, read all or nothing and uploaded
// as RGBA with pure black as the transparent key.
#include "assets/texture_set.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "assets/asset_messages.h"
#include "assets/asset_paths.h"
#include "platform/platform.h"

TextureSet textureSet;

namespace {

static_assert(textureFileCount == textureSlotCount, "one texture file for every slot");

constexpr int colourKey[3] = {0, 0, 0};  // pure black: the see-through parts

bool MatchesColourKey(const unsigned char *pixel) {
  return pixel[0] == colourKey[0] && pixel[1] == colourKey[1] && pixel[2] == colourKey[2];
}

// Red, green and blue as they are, alpha 0 for the key colour and 255 else.
unsigned char *ExpandWithColourKey(const RgbImage *image) {
  size_t pixelCount = (size_t)image->width * (size_t)image->height;
  unsigned char *rgba = (unsigned char *)malloc(pixelCount * 4);
  if (rgba == nullptr) return nullptr;
  for (size_t i = 0; i < pixelCount; ++i) {
    const unsigned char *in = image->pixels + i * 3;
    unsigned char *out = rgba + i * 4;
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
    out[3] = MatchesColourKey(in) ? 0 : 255;
  }
  return rgba;
}

bool UploadTexture(GLuint name, const RgbImage *image) {
  unsigned char *rgba = ExpandWithColourKey(image);
  if (rgba == nullptr) return false;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->width, image->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  free(rgba);  // the GL keeps its own copy
  return true;
}

// Where memory for an upload runs out, the set fails as a whole.
int UploadAll(RgbImage *const images[textureSlotCount]) {
  glGenTextures(textureSlotCount, textureSet.textureNames);
  for (int slot = 0; slot < textureSlotCount; ++slot) {
    if (!UploadTexture(textureSet.textureNames[slot], images[slot])) {
      glDeleteTextures(textureSlotCount, textureSet.textureNames);
      return 0;
    }
  }
  return 1;
}

// A file the loader cannot read stops the start with a box owned by the
// window that has the focus, shown while the loader still holds the file.
void ShowLoaderMessageBox(const char *text) { ShowMessageBox(GetFocusWindow(), text, "Error", MB_OK); }

void ReleaseImage(RgbImage *image) {
  free(image->pixels);
  free(image);
}

}  // namespace

RgbImage *LoadTextureImage(const char *path) {
  loaderMessageSink = ShowLoaderMessageBox;
  if (path == nullptr) return nullptr;
  // A file that cannot be opened gets no box of its own (the window opening
  // reports the set), but standard error says which one it was.
  FILE *file = fopen(path, "r");
  if (file == nullptr) {
    ReportAssetOpenFailure(path, errno);
    return nullptr;
  }
  fclose(file);
  RgbImage *image = LoadBitmapFile(path);
  if (image == nullptr) ReportTextureRefused(path, loaderMessage);
  return image;
}

int LoadTextureSet() {
  RgbImage *images[textureSlotCount] = {};
  int loaded = 0;
  while (loaded < textureSlotCount && (images[loaded] = LoadTextureImage(assetPaths.textures[loaded])) != nullptr)
    ++loaded;
  int result = loaded == textureSlotCount ? UploadAll(images) : 0;
  for (RgbImage *image : images)
    if (image != nullptr) ReleaseImage(image);
  return result;
}
