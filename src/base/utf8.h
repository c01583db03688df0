#pragma once
// UTF-8 and UTF-16, converted both ways without the code page: the form the
// program's own text files take on disk.

#include <string>

namespace base {

// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

// False when `text` is not well-formed UTF-8 (overlong forms, surrogates and
// values past U+10FFFF included).
bool Utf8ToUtf16(const std::string& text, std::u16string* wide);

}  // namespace base
