// text_overlay.cpp: one display list per glyph of the font sheet, and the two
// lines of text drawn over every frame.
#include "scene/text_overlay.h"

#include <GL/gl.h>

#include <cstring>

#include "assets/texture_set.h"
#include "platform/platform.h"

unsigned fontListBase = 0;

namespace {

constexpr int glyphCount = 256;
constexpr float cellSize = 0.0625f;  // a glyph cell is 1/16 of the sheet each way
constexpr int glyphSize = 16;        // overlay units
constexpr double penAdvance = 10.0;  // glyphs overlap by 6 units

void CompileGlyph(int glyph) {
  float cx = (float)(glyph % 16) * cellSize;
  float cy = (float)(glyph / 16) * cellSize;
  glNewList(fontListBase + glyph, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(cx, 1.0f - cy - cellSize);
  glVertex2i(0, 0);
  glTexCoord2f(cx + cellSize, 1.0f - cy - cellSize);
  glVertex2i(glyphSize, 0);
  glTexCoord2f(cx + cellSize, 1.0f - cy);
  glVertex2i(glyphSize, glyphSize);
  glTexCoord2f(cx, 1.0f - cy);
  glVertex2i(0, glyphSize);
  glEnd();
  glTranslated(penAdvance, 0.0, 0.0);
  glEndList();
}

}  // namespace

void BuildFontLists() {
  fontListBase = glGenLists(glyphCount);
  // Bound once here: the lists themselves bind no texture.
  glBindTexture(GL_TEXTURE_2D, textureSet.textureNames[SlotFont]);
  for (int glyph = 0; glyph < glyphCount; ++glyph) CompileGlyph(glyph);
}

void FreeFontLists() {
  // The lists belong to a context; once it is released they are gone with it.
  if (GetCurrentRenderingContext() == nullptr) return;
  glDeleteLists(fontListBase, glyphCount);
}

void PrintText(int x, int y, const char *text, int set) {
  if (set > 1) set = 1;
  glBindTexture(GL_TEXTURE_2D, textureSet.textureNames[SlotFont]);
  // Glyphs add their light onto the frame; key-black texels add nothing.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1024, 0, 768, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslated((double)x, (double)y, 0);
  // Set 0 maps code c to glyph c - 32, set 1 to glyph c + 96; bytes are signed.
  glListBase(fontListBase - 32 + 128 * set);
  glCallLists((GLsizei)strlen(text), GL_BYTE, text);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}

void DrawOverlayLines() {
  glColor3f(1.0f, 1.0f, 1.0f);
  PrintText(0, 748, "Talmir landscape viewer", 0);
  glColor3f(0.7f, 0.7f, 0.7f);
  PrintText(0, 728, "Morvane 3.0.1 /21.8.2003/", 0);
}
