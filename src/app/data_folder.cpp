// data_folder.cpp: the data folder's candidates, tried in order.
#include "app/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

bool HoldsData(const fs::path &folder) {
  std::error_code error;
  return fs::is_directory(folder / "Tex", error);
}

std::vector<fs::path> Candidates() {
  std::vector<fs::path> candidates;
  const char *named = std::getenv("TALMIR_DATA_DIR");
  if (named != nullptr && *named != '\0') candidates.push_back(named);
  char programFolder[4096];
  if (GetProgramFolder(programFolder, sizeof programFolder)) {
    candidates.push_back(fs::path(programFolder) / "run");  // build/talmir beside build/run
    candidates.push_back((fs::path(programFolder) / ".." / "share" / "talmir").lexically_normal());
    // The Windows zip's layout, Tex and Sound beside the program: Windows
    // starts a screensaver in a folder of its own choosing, not the program's.
    candidates.push_back(fs::path(programFolder));
  }
  std::error_code error;
  candidates.push_back(fs::current_path(error));
  return candidates;
}

}  // namespace

int EnterDataFolder(std::FILE *err) {
  std::vector<fs::path> candidates = Candidates();
  for (const fs::path &folder : candidates) {
    std::error_code error;
    if (!HoldsData(folder)) continue;
    fs::current_path(folder, error);
    if (!error) return 1;
    std::fprintf(err, "talmir: cannot enter the data folder %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
  }
  std::string looked;
  for (const fs::path &folder : candidates) looked += "\n  " + folder.string();
  std::fprintf(err, "talmir: no data folder with Tex/ and Sound/ found; looked in:%s\n", looked.c_str());
  return 0;
}
