// scene_init.cpp: prepares a fresh rendering context for the frame drawing:
// textures, font, fixed GL state, landscape, and the looping sound.
#include "scene/scene_init.h"

#include <GL/gl.h>

#include "assets/asset_messages.h"
#include "assets/asset_paths.h"
#include "assets/texture_set.h"
#include "platform/platform.h"
#include "scene/terrain.h"
#include "scene/text_overlay.h"

SceneOptions sceneOptions;

namespace {

constexpr const char *soundPath = assetPaths.sound;

// State that nothing later changes: all drawing is textured, smooth, and
// shows both faces of every polygon.
void SetFixedGlState() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.5f, 0.5f, 0.6f, 1.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
}

}  // namespace

int InitScene() {
  if (!LoadTextureSet()) return 0;
  BuildFontLists();
  SetFixedGlState();
  GenerateTerrain();
  PlaceClumps();
  // A sound already playing (after a mode switch) is left undisturbed, and a
  // missing or unplayable file is no reason to stop; a file at fault is
  // named on standard error.
  if (sceneOptions.silent) return 1;
  if (!PlaySoundFile(soundPath, SND_ASYNC | SND_LOOP | SND_NOSTOP)) CheckSoundFile(soundPath);
  return 1;
}
