// texture_atlas.h: the subset's textures, all kept in one ES texture, so
// that primitives with different textures still draw together and each
// fragment samples once. Each texture keeps a border of one texel copied
// from its opposite edge, so that GL_REPEAT with GL_LINEAR filtering (GL's
// default wrapping and Talmir's filters) samples exactly as from a texture
// of its own. Other wraps and filters are not part of the subset.
#pragma once

// Where a texture's image lies in the atlas, in the atlas's coordinates:
// its corner (past the border) and its size.
struct AtlasPlace {
  float x, y, width, height;
};

// Texture names, handed out by the subset; 0 is no texture.
void MakeTextureNames(int count, unsigned *names);
void ForgetTextures(int count, const unsigned *names);
// A level-0 RGBA or RGB image of unsigned bytes for a texture; false where
// the subset cannot keep it (other levels or formats, or no room).
bool StoreTextureImage(unsigned name, int width, int height, unsigned format, const void *pixels, int alignment);
// Where a texture is. A texture without an image (and name 0) gives the
// place of a white texel, so that it draws as if texturing were off, as in
// GL 1.1.
AtlasPlace PlaceOfTexture(unsigned name);
// The ES texture to sample, made in the current context when it has none.
unsigned AtlasTexture();
// Every texture is gone (the context's end).
void ForgetAllTextures();
// The ES texture is gone with a lost context; the images stay, to make it
// again in the next.
void ForgetAtlasTexture();
