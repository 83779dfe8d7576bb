// run_folder.cpp: private copies of the run folder for tests.
#include "support/run_folder.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string copiedFolder;

void RemoveCopy() {
  std::error_code ignored;
  if (!copiedFolder.empty()) fs::remove_all(copiedFolder, ignored);
}

}  // namespace

std::string EnterCopyOfRunFolder() {
  char pattern[] = "/tmp/talmir-run-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return "";
  if (copiedFolder.empty()) std::atexit(RemoveCopy);
  RemoveCopy();
  copiedFolder = pattern;
  fs::copy(fs::path(TALMIR_BUILD_DIR) / "run", copiedFolder, fs::copy_options::recursive);
  fs::current_path(copiedFolder);
  return copiedFolder;
}
