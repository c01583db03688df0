#pragma once
// What the process learns about itself and its environment, the ANSI code
// page among it.

#include <string>

namespace platform {

class EnvironmentPort {
 public:
  virtual ~EnvironmentPort() = default;
  // GetEnvironmentVariableA: false when the variable is not set. The value
  // comes whole; callers apply their own length limits.
  virtual bool GetVariable(const std::string& name, std::string* value) = 0;
  // GetModuleFileNameA of the program: false when it cannot be had whole.
  virtual bool ModulePath(std::string* path) = 0;
  // GetCurrentDirectoryA: false when it cannot be had whole.
  virtual bool CurrentDirectory(std::string* path) = 0;
  // MultiByteToWideChar from the ANSI code page: false when `text` is not
  // valid in it.
  virtual bool AnsiToWide(const std::string& text, std::u16string* wide) = 0;
  // WideCharToMultiByte into the ANSI code page: false when a character has
  // no form in it (it would come out as '?').
  virtual bool WideToAnsi(const std::u16string& wide, std::string* text) = 0;
  // Today's local date as "YYYYMMDD" (GetLocalTime).
  virtual std::string LocalDate() = 0;
};

}  // namespace platform
