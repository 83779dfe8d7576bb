// environment_win32.cpp: the tests' environment variables, by the Windows C
// runtime (an empty value removes the variable).
#include "support/environment.h"

#include <cstdlib>

void SetTestEnvironment(const std::string &name, const std::string &value) {
  _putenv_s(name.c_str(), value.c_str());
}

void ClearTestEnvironment(const std::string &name) { _putenv_s(name.c_str(), ""); }
