// scene_init.h: the one-time preparation of a fresh GL rendering context.
#pragma once

// 1 when the scene is ready to draw, 0 when it cannot be set up.
int InitScene();
