#include "platform/win32/win32_prompt.h"

namespace win32 {

int Win32Prompt::Show(const std::string& text, const std::string& caption, unsigned style) {
  return MessageBoxA(m_owner, text.c_str(), caption.c_str(), style);
}

}  // namespace win32
