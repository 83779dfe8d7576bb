// screengrab.cpp: writes the X screen named by DISPLAY to a PNG file, so a
// run on a virtual screen leaves a picture behind. Usage: screengrab OUT.png
#include <stb/stb_image_write.h>

#include <cstdio>

#include "x11_grab/x11_grab.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screengrab OUT.png\n");
    return 2;
  }
  ScreenPicture screen;
  if (const char *why = GrabScreen(&screen)) {
    std::fprintf(stderr, "screengrab: %s\n", why);
    return 1;
  }
  if (!stbi_write_png(argv[1], screen.width, screen.height, 3, screen.rgb.data(), screen.width * 3)) {
    std::fprintf(stderr, "screengrab: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
