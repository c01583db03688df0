#pragma once
// The environment port over GetEnvironmentVariableW, GetModuleFileNameW,
// GetCurrentDirectoryW and GetLocalTime, texts converted between UTF-8 and
// UTF-16 at each call. A result is used only when it came whole.

#include "platform/environment_port.h"

namespace win32 {

class Win32Environment : public platform::EnvironmentPort {
 public:
  bool GetVariable(const std::string& name, std::string* value) override;
  bool ModulePath(std::string* path) override;
  bool CurrentDirectory(std::string* path) override;
  std::string LocalDate() override;
};

}  // namespace win32
