// bmp2ppm.cpp: shows what Talmir's bitmap loader makes of a file: a binary PPM on standard output, or the loader's message.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/bitmap_loader.h"

// P6, top row first: the loader keeps the bottom row first, as GL takes it.
static int WritePpm(const RgbImage *image, FILE *out) {
  fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
  size_t rowBytes = size_t(image->width) * 3;
  for (int32_t row = image->height - 1; row >= 0; --row)
    if (fwrite(image->pixels + size_t(row) * rowBytes, 1, rowBytes, out) != rowBytes) return 0;
  return fflush(out) == 0;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: bmp2ppm FILE > picture.ppm\n");
    return 2;
  }
  showLoaderErrors = false;  // the message goes to standard error instead of a box
  RgbImage *image = LoadBitmapFile(argv[1]);
  if (image == nullptr) {
    size_t length = strlen(loaderMessage);
    fprintf(stderr, "%s%s", loaderMessage, length > 0 && loaderMessage[length - 1] == '\n' ? "" : "\n");
    return 1;
  }
  int written = WritePpm(image, stdout);
  free(image->pixels);
  free(image);
  if (!written) {
    fprintf(stderr, "bmp2ppm: cannot write the picture\n");
    return 1;
  }
  return 0;
}
