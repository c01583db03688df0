#pragma once
// The process port over the tool-help process snapshot, the token's
// elevation, user and privileges, and the shell's "runas", through the wide
// calls.

#include "platform/process_port.h"

namespace win32 {

class Win32Processes : public platform::ProcessPort {
 public:
  bool ImageNames(std::vector<std::string>* names) override;
  bool IsElevated() override;
  long RestartElevated(const std::string& arguments, unsigned long* exitCode) override;
  bool IsSystemAccount() override;
  long EnableHivePrivileges() override;
};

}  // namespace win32
