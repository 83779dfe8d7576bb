// bitmap_load_check.h: runs bitmap bytes through the loader from memory and from a file, for the loader's tests.
#pragma once

#include <string>
#include <vector>

#include "bitmap_writer/bitmap_writer.h"
#include "bitmap_writer/pattern_pictures.h"

// What one load gave: the picture, or the message and what reached the sink.
struct LoadOutcome {
  bool loaded = false;
  int32_t width = 0, height = 0;
  Bytes pixels;
  std::string message;               // loaderMessage afterwards
  std::vector<std::string> reports;  // the texts the loader's sink received
};

// Points the loader's sink at a record of its own and empties the record.
void RecordLoaderReports();
// The texts the sink has received since.
const std::vector<std::string> &LoaderReports();

// From an exactly sized heap copy, so the sanitizer sees any read past the end.
LoadOutcome LoadFromMemory(const Bytes &bytes);
// From a temporary file through LoadBitmapFile.
LoadOutcome LoadFromFile(const Bytes &bytes);
// Both ways; adds a test failure when they disagree. Returns the file's outcome.
LoadOutcome LoadBothWays(const Bytes &bytes);

// The file loads both ways as the picture, without a message.
void ExpectPicture(const Bytes &file, const RgbPicture &expected);
// The file fails both ways with the text, sent to the sink once.
void ExpectFailure(const Bytes &file, const std::string &message);
