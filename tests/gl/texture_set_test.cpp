// The nine textures as the GL holds them after loading: names, sizes,
// filters, and the colour key turned into alpha, read back texel by texel.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "assets/texture_set.h"
#include "support/recording_platform.h"

namespace {

const char *const slotFiles[textureSlotCount] = {
    "Tex/Pismo/font.bmp",  "Tex/Ciary/00.bmp", "Tex/List/list.bmp",
    "Tex/List/papradie.bmp", "Tex/List/krik.bmp", "Tex/List/trava.bmp",
    "Tex/List/trava1.bmp", "Tex/obloha.bmp",   "Tex/zem.bmp"};

struct LoadedSet : testing::Test {
  void SetUp() override {
    ASSERT_TRUE(MakeTestGLContextCurrent());
    ASSERT_EQ(LoadTextureSet(), 1);
  }
};

std::vector<unsigned char> ReadTexture(GLuint name, GLint *width, GLint *height) {
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
  std::vector<unsigned char> texels((size_t)*width * *height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

}  // namespace

TEST_F(LoadedSet, NineDistinctNamesWithLinearFiltersAndRepeat) {
  std::set<unsigned> names(std::begin(textureSet.textureNames), std::end(textureSet.textureNames));
  EXPECT_EQ(names.size(), 9u);
  EXPECT_EQ(names.count(0), 0u);
  for (unsigned name : textureSet.textureNames) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint value;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);  // the terrain relies on it to tile its texture
  }
}

TEST_F(LoadedSet, EachTextureIsItsFileWithAlphaZeroExactlyAtKeyBlack) {
  for (int slot = 0; slot < textureSlotCount; ++slot) {
    SCOPED_TRACE(slotFiles[slot]);
    RgbImage *image = LoadBitmapFile(slotFiles[slot]);
    ASSERT_NE(image, nullptr);
    GLint width, height;
    std::vector<unsigned char> texels = ReadTexture(textureSet.textureNames[slot], &width, &height);
    EXPECT_EQ(width, image->width);
    EXPECT_EQ(height, image->height);
    size_t mismatches = 0, keyTexels = 0;
    for (size_t i = 0; i < (size_t)width * height && texels.size() == (size_t)width * height * 4; ++i) {
      const unsigned char *rgb = image->pixels + i * 3, *rgba = &texels[i * 4];
      bool key = rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0;
      keyTexels += key;
      if (rgba[0] != rgb[0] || rgba[1] != rgb[1] || rgba[2] != rgb[2] || rgba[3] != (key ? 0 : 255))
        ++mismatches;
    }
    EXPECT_EQ(mismatches, 0u);
    // The plants stand on the key colour; the opaque pictures hold none of it.
    bool plant = slot == SlotFern || slot == SlotBush || slot == SlotGrass || slot == SlotFont;
    if (plant) {
      EXPECT_GT(keyTexels, 0u);
    }
    free(image->pixels);
    free(image);
  }
}
