// win32_pictures_folder.cpp: the user's Pictures folder, Windows' known
// folder, wherever the user has moved it.
#include <cstring>

#include "platform/win32/win32_backend.h"
#include <knownfolders.h>
#include <shlobj.h>

int GetPicturesFolder(char *folder, size_t size) {
  PWSTR wide = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &wide))) {
    CoTaskMemFree(wide);
    return 0;
  }
  // The program opens its files through the narrow calls, which read the
  // ANSI code page; a folder that page cannot spell is refused.
  BOOL lossy = FALSE;
  int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, folder, (int)size, nullptr, &lossy);
  CoTaskMemFree(wide);
  return length > 0 && !lossy ? 1 : 0;
}
