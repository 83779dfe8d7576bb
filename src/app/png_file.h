// png_file.h: writing a picture as a PNG file, with stb's encoder compiled
// into the program here.
#pragma once

#include <string>

// Writes width x height pixels of red, green, blue and alpha bytes, rows
// bottom first as glReadPixels gives them, to path as an RGB PNG (the alpha
// is dropped). 1 on success; 0 with the reason in *why, and no file left.
int WritePngFile(const char *path, int width, int height, const unsigned char *rgbaBottomUp, std::string *why);
