#pragma once
// The process port over the tool-help process snapshot.

#include "platform/process_port.h"

class Win32Processes : public ProcessPort {
 public:
  bool ImageNames(std::vector<std::string>* names) override;
  bool IsElevated() override;
  long RestartElevated(const std::string& arguments, unsigned long* exitCode) override;
};
