// environment.h: setting and clearing the process's environment variables in
// tests, the same way on every system (one file per system, chosen by the build).
#pragma once

#include <string>

void SetTestEnvironment(const std::string &name, const std::string &value);
void ClearTestEnvironment(const std::string &name);
