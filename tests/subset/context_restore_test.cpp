// A context lost and handed back (a browser's WebGL after a GPU reset): once
// told, the subset draws in the new context what it drew in the old, from
// what it keeps: the clear colour, the viewport, the textures' images and
// the lists, with no call of the program's repeated.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "subset_context.h"

namespace {

// The picture: the clear colour everywhere, and in the viewport (the lower
// left quarter) the list's textured square over its left half and a plain
// blue one over its right half.
void DrawPicture(unsigned list) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_TEXTURE_2D);
  const unsigned char first = 0;
  glListBase(list);
  glCallLists(1, GL_UNSIGNED_BYTE, &first);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0, 0, 1);
  glBegin(GL_QUADS);
  glVertex3f(32, 0, 0);
  glVertex3f(64, 0, 0);
  glVertex3f(64, 64, 0);
  glVertex3f(32, 64, 0);
  glEnd();
  glColor3f(1, 1, 1);
  glFlush();
}

std::vector<std::array<int, 4>> Samples() {
  return {PixelAt(8, 16), PixelAt(24, 16), PixelAt(48, 48), PixelAt(40, 8)};
}

}  // namespace

TEST(ContextRestore, TheSamePictureInTheNewContext) {
  ASSERT_TRUE(MakeSubsetContextCurrent(64, 64));
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  glViewport(0, 0, 32, 32);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, 64, 0, 64, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  const std::vector<unsigned char> orange = {220, 120, 40, 255, 220, 120, 40, 255,
                                             220, 120, 40, 255, 220, 120, 40, 255};
  unsigned texture;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, orange.data());
  unsigned list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(0, 0, 0);
  glTexCoord2f(1, 0);
  glVertex3f(32, 0, 0);
  glTexCoord2f(1, 1);
  glVertex3f(32, 64, 0);
  glTexCoord2f(0, 1);
  glVertex3f(0, 64, 0);
  glEnd();
  glEndList();
  DrawPicture(list);
  const std::vector<std::array<int, 4>> before = Samples();
  EXPECT_EQ(before[0], (std::array<int, 4>{220, 120, 40, 255})) << "the textured square";
  EXPECT_EQ(before[1], (std::array<int, 4>{0, 0, 255, 255})) << "the blue square";
  EXPECT_EQ(before[2], (std::array<int, 4>{51, 102, 153, 255})) << "the clear colour outside the viewport";

  ASSERT_TRUE(ReplaceSubsetContextAsIfLost(64, 64));
  SubsetContextRestored();
  DrawPicture(list);
  EXPECT_EQ(Samples(), before);
}
