#pragma once
// The program's text is UTF-8; the wide Win32 calls take and give UTF-16.
// Every adapter converts here, once, at the call.

#include <cstddef>
#include <string>

namespace win32 {

// False, and `wide` empty, when `text` is not well-formed UTF-8.
bool ToWide(const std::string& text, std::wstring* wide);

// For the program's own texts, known to be well-formed: an ill-formed text
// comes out empty.
std::wstring Wide(const std::string& text);

// What a wide call gave, `count` units (or up to the NUL when `count` is
// npos): false when it holds a lone surrogate, which no UTF-8 text names.
bool ToUtf8(const wchar_t* units, std::size_t count, std::string* text);

// For texts only shown or logged: a lone surrogate becomes U+FFFD.
std::string Utf8(const std::wstring& wide);

}  // namespace win32
