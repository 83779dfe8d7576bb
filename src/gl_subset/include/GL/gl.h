// gl.h: the GL 1.1 that Talmir calls, as Talmir's own fixed-function subset
// over OpenGL ES 2.0 (gl_subset/gl_subset.h). A build that puts this folder
// ahead of the system's headers draws the unchanged scene code with it.
// Only the calls and values Talmir uses are here.
#pragma once

#include "gl_subset/gl_subset.h"

typedef unsigned int GLenum;
typedef unsigned int GLbitfield;
typedef unsigned int GLuint;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLboolean;
typedef signed char GLbyte;
typedef unsigned char GLubyte;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;
typedef void GLvoid;

#define GL_FALSE 0
#define GL_TRUE 1
#define GL_BYTE 0x1400
#define GL_UNSIGNED_BYTE 0x1401
#define GL_TRIANGLES 0x0004
#define GL_LESS 0x0201
#define GL_LEQUAL 0x0203
#define GL_ZERO 0
#define GL_ONE 1
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#define GL_FRONT 0x0404
#define GL_BACK 0x0405
#define GL_CULL_FACE 0x0B44
#define GL_VIEWPORT 0x0BA2
#define GL_DEPTH_TEST 0x0B71
#define GL_BLEND 0x0BE2
#define GL_TEXTURE_2D 0x0DE1
#define GL_UNPACK_ALIGNMENT 0x0CF5
#define GL_PACK_ALIGNMENT 0x0D05
#define GL_DONT_CARE 0x1100
#define GL_FASTEST 0x1101
#define GL_NICEST 0x1102
#define GL_RGB 0x1907
#define GL_RGBA 0x1908
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_TEXTURE_MAG_FILTER 0x2800
#define GL_TEXTURE_MIN_FILTER 0x2801
#define GL_TEXTURE_WRAP_S 0x2802
#define GL_TEXTURE_WRAP_T 0x2803
#define GL_REPEAT 0x2901
#define GL_LIGHT1 0x4001
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000

#define glEnable SubsetEnable
#define glDisable SubsetDisable
#define glHint SubsetHint
#define glShadeModel SubsetShadeModel
#define glClearColor SubsetClearColor
#define glClearDepth SubsetClearDepth
#define glDepthFunc SubsetDepthFunc
#define glBlendFunc SubsetBlendFunc
#define glClear SubsetClear
#define glViewport SubsetViewport
#define glFogf SubsetFogf
#define glFogfv SubsetFogfv
#define glLightfv SubsetLightfv
#define glGetFloatv SubsetGetFloatv
#define glGetIntegerv SubsetGetIntegerv
#define glMatrixMode SubsetMatrixMode
#define glLoadIdentity SubsetLoadIdentity
#define glPushMatrix SubsetPushMatrix
#define glPopMatrix SubsetPopMatrix
#define glMultMatrixf SubsetMultMatrixf
#define glMultMatrixd SubsetMultMatrixd
#define glTranslatef SubsetTranslatef
#define glTranslated SubsetTranslated
#define glRotatef SubsetRotatef
#define glOrtho SubsetOrtho
#define glBegin SubsetBegin
#define glEnd SubsetEnd
#define glVertex3f SubsetVertex3f
#define glVertex2i SubsetVertex2i
#define glTexCoord2f SubsetTexCoord2f
#define glNormal3f SubsetNormal3f
#define glColor3f SubsetColor3f
#define glGenTextures SubsetGenTextures
#define glDeleteTextures SubsetDeleteTextures
#define glBindTexture SubsetBindTexture
#define glTexParameteri SubsetTexParameteri
#define glTexImage2D SubsetTexImage2D
#define glGenLists SubsetGenLists
#define glDeleteLists SubsetDeleteLists
#define glNewList SubsetNewList
#define glEndList SubsetEndList
#define glListBase SubsetListBase
#define glCallLists SubsetCallLists
#define glPixelStorei SubsetPixelStorei
#define glReadBuffer SubsetReadBuffer
#define glReadPixels SubsetReadPixels
#define glFlush SubsetFlush
#define glFinish SubsetFinish
