#pragma once
// The environment port over GetEnvironmentVariableA, GetModuleFileNameA,
// GetCurrentDirectoryA, MultiByteToWideChar, WideCharToMultiByte and
// GetLocalTime. A result is used only when it came whole.

#include "platform/environment_port.h"

namespace win32 {

class Win32Environment : public platform::EnvironmentPort {
 public:
  bool GetVariable(const std::string& name, std::string* value) override;
  bool ModulePath(std::string* path) override;
  bool CurrentDirectory(std::string* path) override;
  bool AnsiToWide(const std::string& text, std::u16string* wide) override;
  bool WideToAnsi(const std::u16string& wide, std::string* text) override;
  std::string LocalDate() override;
};

}  // namespace win32
