// png_file.cpp: stb's PNG encoder, compiled static into this file alone so
// that the viewer carries only the writer and never clashes with the copy the
// tools and tests link; the bytes go through our own stream to learn why a
// write failed.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "app/png_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct PngStream {
  std::FILE *file;
  int error;  // the first errno of a failed write, 0 while all went well
};

void WriteBytes(void *context, void *data, int size) {
  PngStream *stream = (PngStream *)context;
  if (stream->error == 0 && std::fwrite(data, 1, (size_t)size, stream->file) != (size_t)size)
    stream->error = errno != 0 ? errno : EIO;
}

// The picture top row first and without its alpha, as PNG stores it.
std::vector<unsigned char> TopDownRgb(int width, int height, const unsigned char *rgbaBottomUp) {
  std::vector<unsigned char> rgb((size_t)width * height * 3);
  for (int y = 0; y < height; ++y) {
    const unsigned char *in = rgbaBottomUp + (size_t)(height - 1 - y) * width * 4;
    unsigned char *out = rgb.data() + (size_t)y * width * 3;
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
  return rgb;
}

}  // namespace

int WritePngFile(const char *path, int width, int height, const unsigned char *rgbaBottomUp, std::string *why) {
  std::vector<unsigned char> rgb = TopDownRgb(width, height, rgbaBottomUp);
  PngStream stream = {std::fopen(path, "wb"), 0};
  if (stream.file == nullptr) {
    *why = std::strerror(errno);
    return 0;
  }
  errno = 0;
  int encoded = stbi_write_png_to_func(WriteBytes, &stream, width, height, 3, rgb.data(), width * 3);
  if (std::fclose(stream.file) != 0 && stream.error == 0) stream.error = errno != 0 ? errno : EIO;
  if (encoded && stream.error == 0) return 1;
  *why = stream.error != 0 ? std::strerror(stream.error) : "out of memory while encoding the picture";
  std::remove(path);
  return 0;
}
