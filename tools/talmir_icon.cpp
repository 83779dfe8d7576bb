// talmir_icon.cpp: makes Talmir's application icon from a frame the frame
// tool rendered: a square cut from the frame, scaled to each icon size, with
// rounded corners that fade to transparent.
//
// Usage: talmir-icon FRAME.png LEFT TOP SIDE OUT-PREFIX SIZE...
//   writes OUT-PREFIX-SIZE.png for every SIZE (e.g. icon-48.png), each
//   SIZE x SIZE pixels of RGBA. Exit code 0; 1 when a picture cannot be read
//   or written; 2 for bad arguments.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double cornerShare = 0.16;  // corner radius as a share of the side

struct Square {
  int left, top, side;
};

int ParseNumber(const char *text) {
  char *end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < 0 || value > 65536) {
    std::fprintf(stderr, "talmir-icon: not a size or place: %s\n", text);
    std::exit(2);
  }
  return (int)value;
}

// How much of the pixel at (x, y) lies inside the rounded square, 0 to 1,
// from its centre's distance to the corner's arc (one pixel of soft edge).
double Coverage(int x, int y, int size) {
  double radius = size * cornerShare;
  double cx = std::clamp(x + 0.5, radius, size - radius), cy = std::clamp(y + 0.5, radius, size - radius);
  double outside = std::hypot(x + 0.5 - cx, y + 0.5 - cy) - radius;
  return std::clamp(0.5 - outside, 0.0, 1.0);
}

// The cut-out square scaled to size x size RGBA with the corners rounded.
std::vector<unsigned char> MakeIcon(const unsigned char *rgb, int width, Square cut, int size) {
  std::vector<unsigned char> scaled((size_t)size * size * 3);
  const unsigned char *corner = rgb + ((size_t)cut.top * width + cut.left) * 3;
  stbir_resize_uint8_srgb(corner, cut.side, cut.side, width * 3, scaled.data(), size, size, size * 3, 3,
                          STBIR_ALPHA_CHANNEL_NONE, 0);
  std::vector<unsigned char> icon((size_t)size * size * 4);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const unsigned char *in = &scaled[((size_t)y * size + x) * 3];
      unsigned char *out = &icon[((size_t)y * size + x) * 4];
      std::copy(in, in + 3, out);
      out[3] = (unsigned char)std::lround(255 * Coverage(x, y, size));
    }
  return icon;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 7) {
    std::fprintf(stderr, "usage: talmir-icon FRAME.png LEFT TOP SIDE OUT-PREFIX SIZE...\n");
    return 2;
  }
  Square cut = {ParseNumber(argv[2]), ParseNumber(argv[3]), ParseNumber(argv[4])};
  int width, height, channels;
  unsigned char *rgb = stbi_load(argv[1], &width, &height, &channels, 3);
  if (rgb == nullptr) {
    std::fprintf(stderr, "talmir-icon: cannot read %s: %s\n", argv[1], stbi_failure_reason());
    return 1;
  }
  if (cut.side == 0 || cut.left + cut.side > width || cut.top + cut.side > height) {
    std::fprintf(stderr, "talmir-icon: the square does not fit the %dx%d frame\n", width, height);
    stbi_image_free(rgb);
    return 2;
  }
  int status = 0;
  for (int i = 6; i < argc; ++i) {
    int size = ParseNumber(argv[i]);
    std::string path = std::string(argv[5]) + "-" + std::to_string(size) + ".png";
    std::vector<unsigned char> icon = MakeIcon(rgb, width, cut, size);
    if (size == 0 || !stbi_write_png(path.c_str(), size, size, 4, icon.data(), size * 4)) {
      std::fprintf(stderr, "talmir-icon: cannot write %s\n", path.c_str());
      status = 1;
    }
  }
  stbi_image_free(rgb);
  return status;
}
