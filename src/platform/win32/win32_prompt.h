#pragma once
// The prompt port over MessageBoxW, its UTF-8 texts converted at the call.
// Every box is owned by the window that a ScopedPromptOwner names (the dialog
// whose action shows it), so that window stays disabled while the box is up;
// never by whatever window happens to be active, which is none once the user
// has switched to another program.

#include <windows.h>

#include "platform/prompt_port.h"

namespace win32 {

class Win32Prompt : public platform::PromptPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

  HWND GetOwner() const { return m_owner; }
  void SetOwner(HWND owner) { m_owner = owner; }

 private:
  HWND m_owner = nullptr;
};

// Makes `owner` the owner of the boxes that `prompt` shows while this object
// lives, then restores the owner before.
class ScopedPromptOwner {
 public:
  ScopedPromptOwner(Win32Prompt& prompt, HWND owner)
      : m_prompt(prompt), m_previous(prompt.GetOwner()) {
    prompt.SetOwner(owner);
  }
  ~ScopedPromptOwner() { m_prompt.SetOwner(m_previous); }
  ScopedPromptOwner(const ScopedPromptOwner&) = delete;
  ScopedPromptOwner& operator=(const ScopedPromptOwner&) = delete;

 private:
  Win32Prompt& m_prompt;
  HWND m_previous;
};

}  // namespace win32
