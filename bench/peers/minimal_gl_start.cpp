// minimal_gl_start.cpp: the benchmark's peer for start-up time: the least a
// program can do to show one OpenGL frame with SDL2: open a 1024x768 GL
// window on the offscreen driver, with the viewer's 16-bit colour and depth,
// clear it, swap once, and end. It prints the system's monotonic clock once
// that frame is presented and finished, as talmir-frames --stats does. Not
// part of Talmir: it talks to SDL itself.
#include <SDL.h>
#include <SDL_opengl.h>

#include <time.h>

#include <cstdio>

int main(int, char **) {
  SDL_setenv("SDL_VIDEODRIVER", "offscreen", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "minimal_gl_start: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window *window = SDL_CreateWindow("minimal", 0, 0, 1024, 768, SDL_WINDOW_OPENGL);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    std::fprintf(stderr, "minimal_gl_start: %s\n", SDL_GetError());
    return 1;
  }
  glClearColor(0.5f, 0.5f, 0.6f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  glFinish();
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first-frame-clock %.6f\n", (double)now.tv_sec + (double)now.tv_nsec * 1e-9);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
