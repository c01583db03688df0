#include "platform/win32/win32_prompt.h"

#include "platform/win32/wide_text.h"

namespace win32 {

int Win32Prompt::Show(const std::string& text, const std::string& caption, unsigned style) {
  return MessageBoxW(m_owner, Wide(text).c_str(), Wide(caption).c_str(), style);
}

}  // namespace win32
