// asset_pack.h: the writing of the whole pack of the program's asset files, each picture by its maker in its file form.
#pragma once

#include <string>

// Writes every picture and the sound under `folder`, making the folders it
// needs; false (after a message on stderr) when anything cannot be written.
bool WriteAssetPack(const std::string &folder);
