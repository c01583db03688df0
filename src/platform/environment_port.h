#pragma once
// What the process learns about itself and its environment. Texts are UTF-8;
// one Windows gives with a lone surrogate in it is not had.

#include <string>

namespace platform {

class EnvironmentPort {
 public:
  virtual ~EnvironmentPort() = default;
  // GetEnvironmentVariableW: false when the variable is not set. The value
  // comes whole; callers apply their own length limits.
  virtual bool GetVariable(const std::string& name, std::string* value) = 0;
  // GetModuleFileNameW of the program: false when it cannot be had whole.
  virtual bool ModulePath(std::string* path) = 0;
  // GetCurrentDirectoryW: false when it cannot be had whole.
  virtual bool CurrentDirectory(std::string* path) = 0;
  // Today's local date as "YYYYMMDD" (GetLocalTime).
  virtual std::string LocalDate() = 0;
};

}  // namespace platform
