// bmp2ppm.cpp: shows what Talmir's bitmap loader makes of a file: a binary PPM on standard output, or the loader's message.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/bitmap_loader.h"

namespace {

// The loader's message goes to standard error, one line however it ends.
void PrintLoaderMessage(const char *text) {
  size_t length = strlen(text);
  fprintf(stderr, "%s%s", text, length > 0 && text[length - 1] == '\n' ? "" : "\n");
}

// P6, top row first: the loader keeps the bottom row first, as GL takes it.
bool WritePpm(const RgbImage *image, FILE *out) {
  fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
  size_t rowBytes = (size_t)image->width * 3;
  for (int32_t row = image->height - 1; row >= 0; --row)
    if (fwrite(image->pixels + (size_t)row * rowBytes, 1, rowBytes, out) != rowBytes) return false;
  return fflush(out) == 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: bmp2ppm FILE > picture.ppm\n");
    return 2;
  }
  loaderMessageSink = PrintLoaderMessage;
  RgbImage *image = LoadBitmapFile(argv[1]);
  if (image == nullptr) return 1;
  bool written = WritePpm(image, stdout);
  free(image->pixels);
  free(image);
  if (!written) {
    fprintf(stderr, "bmp2ppm: cannot write the picture\n");
    return 1;
  }
  return 0;
}
