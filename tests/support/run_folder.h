// run_folder.h: a private copy of the build's run folder (the generated
// assets), made the current directory, so a test can damage files freely.
#pragma once

#include <filesystem>
#include <string>

// Copies build/run to a new temporary folder and changes into it; returns
// the folder's path. The folder is removed when the process ends.
std::string EnterCopyOfRunFolder();

// A new, empty folder in the system's temporary folder, named talmir-NAME-
// and a number of its own.
std::filesystem::path NewTestFolder(const std::string &name);
