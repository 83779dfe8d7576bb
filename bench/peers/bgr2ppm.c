// bgr2ppm.c: the process benchmark's floor for a tiny file: the least a C program does to turn a 24-bit bitmap into a PPM.
// It reads the file with one call, swaps each pixel's bytes and writes the result with one call; it checks no more than
// keeps it inside its buffers. Not part of Talmir.
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static unsigned char file[1 << 16];
static unsigned char ppm[1 << 16];

static unsigned ReadLe32(const unsigned char *p) {
  return (unsigned)p[0] | (unsigned)p[1] << 8 | (unsigned)p[2] << 16 | (unsigned)p[3] << 24;
}

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  int fd = open(argv[1], O_RDONLY);
  if (fd < 0) return 1;
  ssize_t size = read(fd, file, sizeof file);
  close(fd);
  if (size < 54) return 1;
  unsigned bits = ReadLe32(file + 10), width = ReadLe32(file + 18), height = ReadLe32(file + 22);
  unsigned stride = (width * 3 + 3) / 4 * 4;
  int at = snprintf((char *)ppm, sizeof ppm, "P6\n%u %u\n255\n", width, height);
  if (at < 0 || (size_t)at + (size_t)width * height * 3 > sizeof ppm || bits + (size_t)stride * height > (size_t)size)
    return 1;
  for (unsigned row = height; row-- > 0;) {  // the file keeps the bottom row first
    const unsigned char *src = file + bits + (size_t)row * stride;
    for (unsigned x = 0; x < width; ++x, at += 3) {
      ppm[at] = src[3 * x + 2];
      ppm[at + 1] = src[3 * x + 1];
      ppm[at + 2] = src[3 * x];
    }
  }
  return write(1, ppm, (size_t)at) == at ? 0 : 1;
}
