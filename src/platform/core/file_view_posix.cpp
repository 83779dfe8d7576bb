// file_view_posix.cpp: read-only mappings of whole files, for every backend.
#include "platform/file_view.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int MapFileView(const char *path, FileView *view) {
  view->bytes = nullptr;
  view->size = 0;
  if (path == nullptr) return 0;
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat info;
  // Only regular files can be mapped; an empty one has nothing to map.
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
    close(fd);
    return 0;
  }
  void *bytes = mmap(nullptr, (size_t)info.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);  // the mapping keeps the file's pages alive on its own
  if (bytes == MAP_FAILED) return 0;
  view->bytes = (const unsigned char *)bytes;
  view->size = (size_t)info.st_size;
  return 1;
}

void UnmapFileView(FileView *view) {
  if (view->bytes != nullptr) munmap((void *)view->bytes, view->size);
  view->bytes = nullptr;
  view->size = 0;
}
