// glu.h: the GLU that Talmir calls (the perspective and the sky's sphere), as
// part of Talmir's own fixed-function subset (gl_subset/gl_subset.h).
#pragma once

#include <GL/gl.h>

typedef GLUquadric GLUquadricObj;

#define gluPerspective SubsetPerspective
#define gluNewQuadric SubsetNewQuadric
#define gluDeleteQuadric SubsetDeleteQuadric
#define gluQuadricDrawStyle SubsetQuadricDrawStyle
#define gluQuadricNormals SubsetQuadricNormals
#define gluQuadricTexture SubsetQuadricTexture
#define gluQuadricOrientation SubsetQuadricOrientation
#define gluSphere SubsetSphere
