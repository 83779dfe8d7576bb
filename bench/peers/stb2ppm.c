// stb2ppm.c: the process benchmark's peer: a bitmap file to a binary PPM on standard output with stb_image, as a whole program.
// Not part of Talmir.
#include <stb/stb_image.h>
#include <stdio.h>

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  int width, height, channels;
  unsigned char *pixels = stbi_load(argv[1], &width, &height, &channels, 3);
  if (pixels == NULL) {
    fprintf(stderr, "stb2ppm: %s\n", stbi_failure_reason());
    return 1;
  }
  size_t bytes = (size_t)width * height * 3;
  printf("P6\n%d %d\n255\n", width, height);
  int written = fwrite(pixels, 1, bytes, stdout) == bytes && fflush(stdout) == 0;
  stbi_image_free(pixels);
  return written ? 0 : 1;
}
