#pragma once
// The harness's texts are UTF-8, as the program's are; every Win32 call it
// makes is the wide one. The conversion never goes through the ANSI code
// page, so a test reads the same texts whatever code page it runs under.

#include <windows.h>

#include <cstddef>
#include <string>

// UTF-8 as UTF-16; empty when `text` is not well-formed UTF-8 (a test's own
// texts always are, so a call with it then fails visibly).
inline std::wstring Widened(const std::string& text) {
  const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                        static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
  if (units > 0 && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                       static_cast<int>(text.size()), &wide[0], units) != units) {
    wide.clear();
  }
  return wide;
}

// UTF-16 as UTF-8. A lone surrogate becomes U+FFFD, which no expected text
// holds: a comparison with it fails and shows where.
inline std::string Narrowed(const std::wstring& wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0 && WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       &text[0], bytes, nullptr, nullptr) != bytes) {
    text.clear();
  }
  return text;
}
