#pragma once
// The environment port over GetEnvironmentVariableA, GetModuleFileNameA,
// GetCurrentDirectoryA and MultiByteToWideChar. A result is used only when it
// came whole.

#include "platform/environment_port.h"

namespace win32 {

class Win32Environment : public platform::EnvironmentPort {
 public:
  bool GetVariable(const std::string& name, std::string* value) override;
  bool ModulePath(std::string* path) override;
  bool CurrentDirectory(std::string* path) override;
  bool AnsiToWide(const std::string& text, std::u16string* wide) override;
};

}  // namespace win32
