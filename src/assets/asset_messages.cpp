// asset_messages.cpp: naming the file, the folder and the reason when a
// texture or the sound cannot be used.
#include "assets/asset_messages.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

std::FILE *assetMessages = stderr;

namespace {

// The folder the relative asset paths were looked up in: the data folder
// the entry made current.
std::string LookupFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string("the current folder") : folder.string();
}

// The platform's paths take "\" between folders; the user reads "/".
std::string ShownPath(const char *path) {
  std::string shown = path;
  for (char &c : shown)
    if (c == '\\') c = '/';
  return shown;
}

void Report(const char *verb, const char *path, const std::string &reason) {
  std::fprintf(assetMessages, "talmir: cannot %s %s in %s: %s\n", verb, ShownPath(path).c_str(),
               LookupFolder().c_str(), reason.c_str());
  std::fflush(assetMessages);
}

// Why a file that opened still could not be mapped, or "" when it could be.
std::string WhyNotMappable(const char *path) {
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) return error.message();
  if (!std::filesystem::is_regular_file(status)) return "not a regular file";
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return error.message();
  if (size == 0) return "the file is empty";
  return "";
}

// The loader's text ends in a full stop and, for some, a line feed.
std::string Trimmed(const char *text) {
  std::string trimmed = text;
  while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '.')) trimmed.pop_back();
  return trimmed;
}

bool IsWaveFile(std::FILE *file) {
  unsigned char header[12];
  return std::fread(header, 1, sizeof header, file) == sizeof header && std::memcmp(header, "RIFF", 4) == 0 &&
         std::memcmp(header + 8, "WAVE", 4) == 0;
}

}  // namespace

void ReportAssetOpenFailure(const char *path, int error) { Report("open", path, std::strerror(error)); }

void ReportTextureRefused(const char *path, const char *loaderText) {
  std::string reason = WhyNotMappable(path);
  Report("read", path, reason.empty() ? Trimmed(loaderText) : reason);
}

void CheckSoundFile(const char *soundPath) {
  std::string path = ShownPath(soundPath);
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    ReportAssetOpenFailure(soundPath, errno);
    return;
  }
  bool wave = IsWaveFile(file);
  std::fclose(file);
  if (!wave) Report("read", soundPath, "not a RIFF WAVE file");
}
