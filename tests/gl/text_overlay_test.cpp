// The text overlay drawn into a real framebuffer: glyph cells as they stand
// on the sheet, the pen's advance, the two glyph sets, the state it leaves.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "assets/texture_set.h"
#include "scene/text_overlay.h"
#include "support/recording_platform.h"

namespace {

// A 1024x768 framebuffer maps overlay units one to one onto pixels, and a
// 16-unit glyph onto a 16-texel cell of the 256x256 sheet, so the linear
// filter samples texel centres and the comparison can be exact.
struct Overlay : testing::Test {
  RgbImage *sheet = nullptr;
  void SetUp() override {
    ASSERT_TRUE(MakeTestGLContextCurrent(1024, 768));
    ASSERT_EQ(LoadTextureSet(), 1);
    glEnable(GL_TEXTURE_2D);
    BuildFontLists();
    sheet = LoadBitmapFile("Tex/Pismo/font.bmp");
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->width, 256);
    Clear();
  }
  void TearDown() override {
    if (sheet) free(sheet->pixels);
    free(sheet);
  }
  static void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  // What the glyph's cell should put at the pixels (x..x+15, y..y+15).
  void ExpectGlyphAt(int glyph, int x, int y) {
    std::vector<unsigned char> pixels(16 * 16 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 16, 16, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int column = glyph % 16, rowFromTop = glyph / 16, lit = 0, wrong = 0;
    for (int j = 0; j < 16; ++j)
      for (int i = 0; i < 16; ++i) {
        int sheetX = column * 16 + i, sheetY = 256 - (rowFromTop + 1) * 16 + j;  // rows bottom first
        const unsigned char *texel = sheet->pixels + (sheetY * 256 + sheetX) * 3;
        const unsigned char *pixel = &pixels[(j * 16 + i) * 3];
        for (int c = 0; c < 3; ++c) wrong += std::abs(pixel[c] - texel[c]) > 1;
        lit += texel[0] + texel[1] + texel[2] > 0;
      }
    EXPECT_EQ(wrong, 0) << "glyph " << glyph;
    EXPECT_GT(lit, 4) << "glyph " << glyph << " is empty on the sheet";
  }
};

// The window x range of every vertex the text produces.
std::pair<float, float> SpanOf(const char *text, int set = 0) {
  std::vector<GLfloat> feedback(4096);
  glFeedbackBuffer((GLsizei)feedback.size(), GL_2D, feedback.data());
  glRenderMode(GL_FEEDBACK);
  PrintText(0, 100, text, set);
  int count = glRenderMode(GL_RENDER);
  float low = 1e9f, high = -1e9f;
  for (int i = 0; i < count;) {
    if (feedback[i] == GL_POLYGON_TOKEN) {
      int vertices = (int)feedback[i + 1];
      for (int v = 0; v < vertices; ++v) {
        low = std::min(low, feedback[i + 2 + v * 2]);
        high = std::max(high, feedback[i + 2 + v * 2]);
      }
      i += 2 + vertices * 2;
    } else {
      ++i;
    }
  }
  return {low, high};
}

}  // namespace

TEST_F(Overlay, ALetterDrawsItsCellFromEitherSet) {
  glColor3f(1, 1, 1);
  PrintText(100, 100, "A", 0);
  ExpectGlyphAt('A' - 32, 100, 100);  // column 1 of row 2
  Clear();
  PrintText(300, 200, "A", 1);
  ExpectGlyphAt('A' + 96, 300, 200);  // column 1 of row 10
}

TEST_F(Overlay, ASetAboveOneDrawsLikeSetOne) {
  glColor3f(1, 1, 1);
  std::vector<unsigned char> one(64 * 16 * 3), five(one.size());
  PrintText(0, 0, "Talmir", 1);
  glReadPixels(0, 0, 64, 16, GL_RGB, GL_UNSIGNED_BYTE, one.data());
  Clear();
  PrintText(0, 0, "Talmir", 5);
  glReadPixels(0, 0, 64, 16, GL_RGB, GL_UNSIGNED_BYTE, five.data());
  EXPECT_EQ(one, five);
  EXPECT_NE(std::count(one.begin(), one.end(), 0), (long)one.size());
}

TEST_F(Overlay, ThePenAdvancesTenUnitsAGlyph) {
  std::pair<float, float> span = SpanOf("Fourteen chars");
  EXPECT_FLOAT_EQ(span.first, 0.0f);
  EXPECT_FLOAT_EQ(span.second, 146.0f);  // 13 advances of 10 and one glyph of 16
  // A control code has no list of its own: it draws nothing and leaves no gap.
  EXPECT_FLOAT_EQ(SpanOf("A\001B").second, 26.0f);
}

TEST_F(Overlay, TextLeavesBlendingOffAndDepthAndLightingOn) {
  for (const char *text : {"", "Talmir"}) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    GLfloat projectionBefore[16], projectionAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);
    PrintText(10, 10, text, 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    EXPECT_TRUE(std::equal(projectionBefore, projectionBefore + 16, projectionAfter));
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
  }
}

TEST_F(Overlay, TheCreditLineIsWhiteAboveTheGreyVersionLine) {
  DrawOverlayLines();
  std::vector<unsigned char> band(256 * 40 * 3);
  glReadPixels(0, 728, 256, 40, GL_RGB, GL_UNSIGNED_BYTE, band.data());
  auto brightest = [&](int fromRow, int toRow) {
    int most = 0;
    for (int row = fromRow; row < toRow; ++row)
      for (int x = 0; x < 256 * 3; ++x) most = std::max(most, (int)band[(row * 256) * 3 + x]);
    return most;
  };
  int credit = brightest(20, 36), version = brightest(0, 16);
  EXPECT_GT(credit, 200);                     // white glyphs from y 748 to 764
  EXPECT_GT(version, 0);                      // grey glyphs from y 728 to 744
  EXPECT_LE(version, (int)(credit * 0.7f) + 2);
  EXPECT_EQ(brightest(36, 40), 0);            // the top 4 units stay clear
}
