// sdl2ppm.c: the process benchmark's peer: a bitmap file to a binary PPM on standard output with SDL_LoadBMP, as a whole program.
// SDL_ConvertSurfaceFormat turns the loaded surface into packed RGB. Not part of Talmir.
#include <SDL.h>
#include <stdio.h>

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  SDL_Surface *loaded = SDL_LoadBMP(argv[1]);
  if (loaded == NULL) {
    fprintf(stderr, "sdl2ppm: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Surface *rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (rgb == NULL) return 1;
  size_t rowBytes = (size_t)rgb->w * 3;
  printf("P6\n%d %d\n255\n", rgb->w, rgb->h);
  int written = 1;
  if ((size_t)rgb->pitch == rowBytes) {
    written = fwrite(rgb->pixels, 1, rowBytes * rgb->h, stdout) == rowBytes * rgb->h;
  } else {
    for (int row = 0; row < rgb->h && written; ++row)
      written = fwrite((const char *)rgb->pixels + (size_t)row * rgb->pitch, 1, rowBytes, stdout) == rowBytes;
  }
  SDL_FreeSurface(rgb);
  return written && fflush(stdout) == 0 ? 0 : 1;
}
