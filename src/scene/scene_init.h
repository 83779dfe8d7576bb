// scene_init.h: the one-time preparation of a fresh GL rendering context.
#pragma once

// How the scene shows itself. All false is the viewer's own: its caption
// over the picture and its looping sound. A screensaver shows the
// landscape alone and keeps quiet.
struct SceneOptions {
  bool silent;       // no sound
  bool captionless;  // no text over the picture
};

extern SceneOptions sceneOptions;  // program-wide, all false at start

// 1 when the scene is ready to draw, 0 when it cannot be set up.
int InitScene();
