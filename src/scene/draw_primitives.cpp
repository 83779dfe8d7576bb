// draw_primitives.cpp: the frame's shapes, drawn in immediate mode.
#include "scene/draw_primitives.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/texture_set.h"
#include "scene/terrain.h"

namespace {

constexpr int skySlices = 12, skyStacks = 12;

void BindSlot(int slot) { glBindTexture(GL_TEXTURE_2D, textureSet.textureNames[slot]); }

// A texture coordinate of the patch, divided in double and stored as float.
float PatchTexCoord(int index, int texDivisor, float texScale) {
  return (float)((double)index / texDivisor * texScale);
}

void PatchVertex(const TerrainVertex &v, float offsetX, float offsetY, float offsetZ) {
  glVertex3f(v.x + offsetX, v.y + offsetY, v.z + offsetZ);
}

}  // namespace

void DrawSkySphere(float x, float y, float z, float radius) {
  BindSlot(SlotSky);
  // A quadric is plain client-side settings; one per drawing keeps it clear of
  // any one rendering context, which a mode switch replaces.
  GLUquadric *quadric = gluNewQuadric();
  if (quadric == nullptr) return;
  gluQuadricDrawStyle(quadric, GLU_FILL);
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, GL_TRUE);
  gluQuadricOrientation(quadric, GLU_INSIDE);
  glTranslatef(x, y, z);
  gluSphere(quadric, radius, skySlices, skyStacks);
  glTranslatef(-x, -y, -z);
  gluDeleteQuadric(quadric);
}

void DrawTerrainPatch(float offsetX, float offsetY, float offsetZ, int cellCount, int texDivisor,
                      float texScale) {
  // The grid has one vertex more per side than cells; more cells would read
  // past its end.
  if (cellCount > terrainGridSide - 1) cellCount = terrainGridSide - 1;
  BindSlot(SlotGround);
  const TerrainGrid &g = terrainGrid;
  for (int i = 0; i < cellCount; ++i) {
    for (int j = 0; j < cellCount; ++j) {
      float u0 = PatchTexCoord(i, texDivisor, texScale), v0 = PatchTexCoord(j, texDivisor, texScale);
      float u1 = PatchTexCoord(i + 1, texDivisor, texScale), v1 = PatchTexCoord(j + 1, texDivisor, texScale);
      glBegin(GL_QUADS);
      glTexCoord2f(u0, v1);
      PatchVertex(g.vertex[i][j + 1], offsetX, offsetY, offsetZ);
      glTexCoord2f(u0, v0);
      PatchVertex(g.vertex[i][j], offsetX, offsetY, offsetZ);
      glTexCoord2f(u1, v0);
      PatchVertex(g.vertex[i + 1][j], offsetX, offsetY, offsetZ);
      glTexCoord2f(u1, v1);
      PatchVertex(g.vertex[i + 1][j + 1], offsetX, offsetY, offsetZ);
      glEnd();
    }
  }
}

void DrawGroundQuad(float x, float y, float z, float size, int slot, float texRepeat) {
  const float r = texRepeat;
  BindSlot(slot);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(x, y, z);
  glTexCoord2f(r, 0.0f);
  glVertex3f(x + size, y, z);
  glTexCoord2f(r, r);
  glVertex3f(x + size, y + size, z);
  glTexCoord2f(0.0f, r);
  glVertex3f(x, y + size, z);
  glEnd();
}

void DrawBillboardCross(float x, float y, float z, float halfWidth, float quadHeight, float swayY, float swayX,
                        int slot) {
  const float w = halfWidth, h = quadHeight;
  // Without the depth test each billboard paints over all drawn before it.
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSlot(slot);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(x - w, y, z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(x + w, y, z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(x + w, y + swayY, z + h);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(x - w, y, z + h);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(x, y - w, z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(x, y + w, z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(x, y + w, z + h);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(x + swayX, y - w, z + h);
  glEnd();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}
