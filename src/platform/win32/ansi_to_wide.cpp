#include "platform/win32/ansi_to_wide.h"

#include <windows.h>

#include <climits>

namespace win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide calls take UTF-16");

bool AnsiTextToWide(const std::string& text, std::u16string* wide) {
  wide->clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  std::u16string converted(length, u'\0');
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size,
                          reinterpret_cast<wchar_t*>(&converted[0]), length) != length) {
    return false;
  }
  *wide = std::move(converted);
  return true;
}

}  // namespace win32
