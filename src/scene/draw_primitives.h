// draw_primitives.h: the frame's four immediate-mode shapes: the sky sphere,
// a terrain patch, a ground quad and a crossed billboard pair. Each binds its
// own texture; none issues normals.
#pragma once

// A textured sphere seen from inside, centred on (x, y, z).
void DrawSkySphere(float x, float y, float z, float radius);
// Cells [0, cellCount) x [0, cellCount) of the terrain grid, shifted by the
// offset, one quad each; the texture grows by texScale every texDivisor cells.
void DrawTerrainPatch(float offsetX, float offsetY, float offsetZ, int cellCount, int texDivisor,
                      float texScale);
// One horizontal square with its corner at (x, y, z), the texture texRepeat
// times across it.
void DrawGroundQuad(float x, float y, float z, float size, int slot, float texRepeat);
// Two upright quads crossing at (x, y) on height z, blended over everything
// drawn before them; one top corner of each leans by its sway.
void DrawBillboardCross(float x, float y, float z, float halfWidth, float quadHeight, float swayY, float swayX,
                        int slot);
