// Sets one environment variable for the life of a test and restores it.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class EnvGuard {
 public:
  EnvGuard(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~EnvGuard() {
    if (FOld)
      setenv(FName, FOld->c_str(), 1);
    else
      unsetenv(FName);
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  const char* FName;
  std::optional<std::string> FOld;
};
