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

// A new folder of its own in the system's temporary folder, or "".
std::string MakeFreshFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = fs::temp_directory_path() / ("talmir-run-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(folder, error)) return folder.string();
  }
  return "";
}

}  // namespace

std::string EnterCopyOfRunFolder() {
  std::string folder = MakeFreshFolder();
  if (folder.empty()) return "";
  if (copiedFolder.empty()) std::atexit(RemoveCopy);
  RemoveCopy();
  copiedFolder = folder;
  fs::copy(fs::path(TALMIR_BUILD_DIR) / "run", copiedFolder, fs::copy_options::recursive);
  fs::current_path(copiedFolder);
  return copiedFolder;
}
