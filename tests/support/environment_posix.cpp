// environment_posix.cpp: the tests' environment variables, by POSIX calls.
#include "support/environment.h"

#include <cstdlib>

void SetTestEnvironment(const std::string &name, const std::string &value) {
  setenv(name.c_str(), value.c_str(), 1);
}

void ClearTestEnvironment(const std::string &name) { unsetenv(name.c_str()); }
