// win32_file_view.cpp: read-only mappings of whole files, by Windows' own
// file mappings.
#include "platform/win32/win32_backend.h"

namespace {

// The file's size; false for a file too large to map into memory at once.
bool FileSize(HANDLE file, size_t *size) {
  LARGE_INTEGER bytes;
  if (!GetFileSizeEx(file, &bytes) || (unsigned long long)bytes.QuadPart > (size_t)-1) return false;
  *size = (size_t)bytes.QuadPart;
  return true;
}

}  // namespace

int MapFileView(const char *path, FileView *view) {
  view->bytes = nullptr;
  view->size = 0;
  if (path == nullptr) return 0;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  size_t size = 0;
  // An empty file has nothing to map: the mapping refuses it.
  HANDLE mapping = FileSize(file, &size) ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr;
  const void *bytes = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
  // The view keeps the mapping and the file open on its own.
  if (mapping != nullptr) CloseHandle(mapping);
  CloseHandle(file);
  if (bytes == nullptr) return 0;
  view->bytes = (const unsigned char *)bytes;
  view->size = size;
  return 1;
}

void UnmapFileView(FileView *view) {
  if (view->bytes != nullptr) UnmapViewOfFile(view->bytes);
  view->bytes = nullptr;
  view->size = 0;
}
