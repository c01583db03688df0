#pragma once
// UTF-8 and UTF-16, converted both ways without the code page. The program's
// text is UTF-8 inside; Windows takes and gives UTF-16.

#include <cstddef>
#include <string>

namespace base {

// A lone surrogate becomes U+FFFD: for texts only shown or logged.
std::string Utf16ToUtf8(const std::u16string& text);

// False when `text` holds a lone surrogate: such a name has no UTF-8 form,
// and one with U+FFFD in its place would name something else.
bool Utf16ToUtf8(const std::u16string& text, std::string* utf8);

// False when `text` is not well-formed UTF-8 (overlong forms, surrogates and
// values past U+10FFFF included).
bool Utf8ToUtf16(const std::string& text, std::u16string* wide);

// The UTF-16 units `text` takes in a wide call: what Windows' length limits
// count, for well-formed UTF-8.
std::size_t Utf16Length(const std::string& text);

}  // namespace base
