#pragma once
// The prompt port over MessageBoxA, owned by the active window.

#include "platform/prompt_port.h"

class Win32Prompt : public PromptPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
};
