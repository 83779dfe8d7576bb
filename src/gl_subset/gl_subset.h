// gl_subset.h: Talmir's own fixed-function GL, the part of GL 1.1 and GLU
// that Talmir calls, drawn with OpenGL ES 2.0 (WebGL 1 in the browser). The
// GL names of <GL/gl.h> and <GL/glu.h> in gl_subset/include map onto these
// procedures when the build puts that folder ahead of the system's headers;
// the scene code itself does not change.
//
// How it works
//
// The vertex steps run on the GPU. glVertex hands the subset a vertex in
// object coordinates; it keeps it with the current normal, colour, texture
// coordinate and the place of the bound texture in the atlas, and does
// nothing more with it but work out whether it lies outside the view
// volume, which decides how a quad is split into triangles (as Mesa splits
// it). The one shader program (es_program.cpp) takes each vertex through GL
// 1.1's steps as Mesa's fixed function does: the position by projection
// times model-view, the lighting equation of the default material under the
// lights, and GL_EXP fog by the eye distance |z|, per vertex. The matrices,
// the lights and the fog are uniforms, set only when they differ from what
// the program has.
//
// Few draws. All textures lie in one atlas texture, so primitives that share
// the raster state (depth test, blending, culling), the fog colour and the
// uniforms wait together in one batch (a primitive whose model-view only
// moves things on, neither turning nor scaling, as the overlay's pen does
// glyph by glyph, joins it with its vertices moved by the difference),
// drawn with one call when something of that changes, when a call needs
// the picture (clear, read-back, finish) or at the frame's end (glFlush,
// which the platforms call before showing the frame): a few draws a frame.
//
// Little sent. Most of a frame comes again unchanged in object coordinates
// (only the camera's matrices move; the landscape changes when the viewer
// climbs, the vegetation as it sways). A batch that comes with the same
// vertices and indices as the batch in its place in the frame before is
// drawn from buffers made for it once (GL_STATIC_DRAW); a batch that
// changed is streamed into a vertex and an index buffer made once and
// refilled with glBufferSubData as a ring (es_program.h), never specified
// again at a new size each frame; where all its vertices share one normal
// and one colour (the vegetation's), those go once, as constant attributes. Display lists replay their calls into the
// same batches, and so are kept the same way.
//
// No waiting. In a frame the subset asks the context nothing (no glGet*,
// glIs*, glFinish: in a browser each waits for the GPU process to catch up
// with everything asked before it). What it made, it remembers; a context's
// end, loss or restoring is told to it by the platform (EndSubsetContext,
// SubsetContextGone, SubsetContextRestored below), and after a restore it
// makes its program, atlas and buffers again from what it keeps.
#pragma once

#include <cstddef>

// ---- GL 1.1 values that OpenGL ES 2.0 does not have
#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_COMPILE 0x1300
#define GL_COMPILE_AND_EXECUTE 0x1301
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_SMOOTH 0x1D01
#define GL_FLAT 0x1D00
#define GL_LIGHTING 0x0B50
#define GL_LIGHT0 0x4000
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_SPOT_DIRECTION 0x1204
#define GL_FOG 0x0B60
#define GL_FOG_DENSITY 0x0B62
#define GL_FOG_COLOR 0x0B66
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_POLYGON_SMOOTH_HINT 0x0C53
#define GL_FOG_HINT 0x0C54
#define GL_CURRENT_NORMAL 0x0B02
#define GL_CURRENT_COLOR 0x0B00
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7

#define GLU_FILL 100012
#define GLU_SMOOTH 100000
#define GLU_FLAT 100001
#define GLU_NONE 100002
#define GLU_OUTSIDE 100020
#define GLU_INSIDE 100021

// The lights the subset keeps (GL_LIGHT0 to GL_LIGHT7) and the depth of its
// matrix stacks.
inline constexpr int subsetLightCount = 8, subsetStackDepth = 32;

// ---- state
void SubsetEnable(unsigned cap);
void SubsetDisable(unsigned cap);
void SubsetHint(unsigned target, unsigned mode);
void SubsetShadeModel(unsigned mode);
void SubsetClearColor(float red, float green, float blue, float alpha);
void SubsetClearDepth(double depth);
void SubsetDepthFunc(unsigned func);
void SubsetBlendFunc(unsigned source, unsigned destination);
void SubsetClear(unsigned mask);
void SubsetViewport(int x, int y, int width, int height);
void SubsetFogf(unsigned name, float value);
void SubsetFogfv(unsigned name, const float *values);
void SubsetLightfv(unsigned light, unsigned name, const float *values);
// GL_CURRENT_NORMAL, GL_CURRENT_COLOR and the two matrices, for the tests.
void SubsetGetFloatv(unsigned name, float *values);
// GL_VIEWPORT, as ES keeps it (the screenshot reads the frame's rectangle).
void SubsetGetIntegerv(unsigned name, int *values);

// ---- matrices
void SubsetMatrixMode(unsigned mode);
void SubsetLoadIdentity();
void SubsetPushMatrix();
void SubsetPopMatrix();
void SubsetMultMatrixf(const float *m);
void SubsetMultMatrixd(const double *m);
void SubsetTranslatef(float x, float y, float z);
void SubsetTranslated(double x, double y, double z);
void SubsetRotatef(float angle, float x, float y, float z);
void SubsetOrtho(double left, double right, double bottom, double top, double zNear, double zFar);

// ---- immediate mode
void SubsetBegin(unsigned mode);
void SubsetEnd();
void SubsetVertex3f(float x, float y, float z);
void SubsetVertex2i(int x, int y);
void SubsetTexCoord2f(float s, float t);
void SubsetNormal3f(float x, float y, float z);
void SubsetColor3f(float red, float green, float blue);

// ---- textures
void SubsetGenTextures(int count, unsigned *names);
void SubsetDeleteTextures(int count, const unsigned *names);
void SubsetBindTexture(unsigned target, unsigned name);
void SubsetTexParameteri(unsigned target, unsigned name, int value);
void SubsetTexImage2D(unsigned target, int level, int internalFormat, int width, int height, int border,
                      unsigned format, unsigned type, const void *pixels);

// ---- display lists
unsigned SubsetGenLists(int range);
void SubsetDeleteLists(unsigned list, int range);
void SubsetNewList(unsigned list, unsigned mode);
void SubsetEndList();
void SubsetListBase(unsigned base);
void SubsetCallLists(int count, unsigned type, const void *lists);

// ---- the picture
void SubsetPixelStorei(unsigned name, int value);
void SubsetReadBuffer(unsigned mode);
void SubsetReadPixels(int x, int y, int width, int height, unsigned format, unsigned type, void *pixels);
void SubsetFlush();
void SubsetFinish();

// ---- GLU
struct GLUquadric;
void SubsetPerspective(double fovy, double aspect, double zNear, double zFar);
GLUquadric *SubsetNewQuadric();
void SubsetDeleteQuadric(GLUquadric *quadric);
void SubsetQuadricDrawStyle(GLUquadric *quadric, unsigned style);
void SubsetQuadricNormals(GLUquadric *quadric, unsigned normals);
void SubsetQuadricTexture(GLUquadric *quadric, unsigned char textureCoords);
void SubsetQuadricOrientation(GLUquadric *quadric, unsigned orientation);
void SubsetSphere(GLUquadric *quadric, double radius, int slices, int stacks);

// ---- the context
// Ends the current context's life as far as the subset goes: its textures,
// lists, shader and buffers are deleted and the state is back at GL's
// defaults, as for a new context. For a platform that keeps one ES context
// and hands it out again (a page has one WebGL context per canvas).
void EndSubsetContext();
// The same where the context is gone already, its objects with it (a
// desktop platform deleted it): nothing is deleted, all is forgotten.
void SubsetContextGone();
// The current context is one the browser gave back after losing it (a GPU
// reset, a phone's backgrounded page): it has none of the subset's objects
// and none of the state set in it. The subset forgets its old objects
// without deleting them and sets again what it forwards to the context (the
// clear colour and depth, the viewport); the shader, buffers and atlas are
// made again from what it keeps (each texture's image) when next drawn.
// Everything else the program set (matrices, lights, fog, textures, lists)
// stays as it was.
void SubsetContextRestored();
