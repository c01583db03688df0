#include "platform/win32/wide_text.h"

#include <cwchar>

#include "base/utf8.h"

namespace win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide calls take UTF-16");

bool ToWide(const std::string& text, std::wstring* wide) {
  std::u16string units;
  const bool wellFormed = base::Utf8ToUtf16(text, &units);
  wide->assign(units.begin(), units.end());
  if (!wellFormed) wide->clear();
  return wellFormed;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  ToWide(text, &wide);
  return wide;
}

bool ToUtf8(const wchar_t* units, std::size_t count, std::string* text) {
  if (count == std::string::npos) count = std::wcslen(units);
  return base::Utf16ToUtf8(std::u16string(units, units + count), text);
}

std::string Utf8(const std::wstring& wide) {
  return base::Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace win32
