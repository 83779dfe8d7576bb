// screenshot.cpp: the pictures folder as the desktop names it, the file's
// name, and the frame read back from the GL.
#include "app/screenshot.h"

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/png_file.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

std::string Environment(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The XDG_PICTURES_DIR line of user-dirs.dirs, as xdg-user-dirs writes it:
// XDG_PICTURES_DIR="$HOME/Pictures" or an absolute path in quotes.
std::string PicturesFolderFromUserDirs(const std::string &home) {
  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() && !home.empty()) config = home + "/.config";
  if (config.empty()) return "";
  std::ifstream dirs(config + "/user-dirs.dirs");
  constexpr std::string_view key = "XDG_PICTURES_DIR=";
  for (std::string line; std::getline(dirs, line);) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) return home.empty() ? "" : home + value.substr(5);
    return value.rfind('/', 0) == 0 ? value : "";  // the format knows no relative paths
  }
  return "";
}

// The name of the present second, or the first free one after it.
std::string FreePath(const std::string &folder) {
  std::time_t now = std::time(nullptr);
  std::string name = ScreenshotName(*std::localtime(&now));
  std::string stem = name.substr(0, name.size() - 4);
  // Joined by the system's own separator: Windows' folder comes with backslashes.
  fs::path path = fs::path(folder) / name;
  std::error_code error;
  for (int n = 2; fs::exists(path, error); ++n) path = fs::path(folder) / (stem + "-" + std::to_string(n) + ".png");
  return path.string();
}

}  // namespace

std::string PicturesFolder() {
  char systemFolder[1024];
  if (GetPicturesFolder(systemFolder, sizeof systemFolder)) return systemFolder;
  std::string named = Environment("XDG_PICTURES_DIR");
  if (!named.empty()) return named;
  std::string home = Environment("HOME");
  std::string fromUserDirs = PicturesFolderFromUserDirs(home);
  return fromUserDirs.empty() ? home : fromUserDirs;
}

std::string ScreenshotName(const std::tm &localTime) {
  char name[64];
  std::strftime(name, sizeof name, "talmir-%Y%m%d-%H%M%S.png", &localTime);
  return name;
}

int SaveScreenshot(std::FILE *out, std::FILE *err) {
  std::string folder = PicturesFolder();
  if (folder.empty()) {
    std::fprintf(err, "talmir: cannot save the picture: neither XDG_PICTURES_DIR nor HOME is set\n");
    return 0;
  }
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  int width = viewport[2], height = viewport[3];
  if (width <= 0 || height <= 0) {
    std::fprintf(err, "talmir: cannot save the picture: the window has no picture\n");
    return 0;
  }
  std::vector<unsigned char> rgba((size_t)width * height * 4);
  glReadPixels(viewport[0], viewport[1], width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::string path = FreePath(folder), why;
  if (!WritePngFile(path.c_str(), width, height, rgba.data(), &why)) {
    std::fprintf(err, "talmir: cannot save the picture as %s: %s\n", path.c_str(), why.c_str());
    return 0;
  }
  std::fprintf(out, "talmir: saved the picture as %s\n", path.c_str());
  std::fflush(out);
  return 1;
}
