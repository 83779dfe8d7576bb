// run_folder.cpp: private copies of the run folder for tests.
#include "support/run_folder.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string copiedFolder;

void RemoveCopy() {
  std::error_code ignored;
  if (!copiedFolder.empty()) fs::remove_all(copiedFolder, ignored);
}

}  // namespace

fs::path NewTestFolder(const std::string &name) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = fs::temp_directory_path() / ("talmir-" + name + "-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(folder, error)) return folder;
  }
  return fs::path();
}

std::string EnterCopyOfRunFolder() {
  std::string folder = NewTestFolder("run").string();
  if (folder.empty()) return "";
  if (copiedFolder.empty()) std::atexit(RemoveCopy);
  RemoveCopy();
  copiedFolder = folder;
  fs::copy(fs::path(TALMIR_BUILD_DIR) / "run", copiedFolder, fs::copy_options::recursive);
  fs::current_path(copiedFolder);
  return copiedFolder;
}
