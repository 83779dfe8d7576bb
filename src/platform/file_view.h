// file_view.h: read-only views of whole files, the one platform service the
// bitmap loader needs; it stands apart so that the loader and the tools that
// take it see nothing else of the platform layer.
#pragma once

#include <cstddef>

struct FileView {
  const unsigned char *bytes;
  size_t size;
};

// Maps a whole file read-only; 0 when it cannot be opened or mapped (an empty
// file cannot be mapped).
int MapFileView(const char *path, FileView *view);
void UnmapFileView(FileView *view);
