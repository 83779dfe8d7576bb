// data_folder.h: finding the folder that holds Talmir's textures and sound,
// wherever the program was started from.
#pragma once

#include <cstdio>

// Makes the data folder the current one, so that the program's relative
// paths (Tex/..., Sound\sound.wav) reach it. Looks, in order, in the folder
// TALMIR_DATA_DIR names, in the build tree's run folder beside the program,
// in ../share/talmir beside the program, in the program's own folder (the
// Windows zip) and in the current folder; the first that holds a Tex folder
// wins. 0 when none does, after saying on `err` where it looked.
int EnterDataFolder(std::FILE *err);
