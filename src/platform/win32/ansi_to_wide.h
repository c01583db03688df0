#pragma once
// ANSI (code page) text as UTF-16, for the wide Win32 calls.

#include <string>

namespace win32 {

// MultiByteToWideChar(CP_ACP) refusing invalid byte sequences: false, and
// `wide` empty, when `text` is not valid in the code page.
bool AnsiTextToWide(const std::string& text, std::u16string* wide);

}  // namespace win32
