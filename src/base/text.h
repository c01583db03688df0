#pragma once
// Helpers for the program's text, UTF-8. Every byte of a multi-byte UTF-8
// character is 0x80 or above, so an ASCII byte (a backslash, a quote, a
// letter) is always a character of its own: the byte-wise helpers here
// never split a character.

#include <string>
#include <vector>

namespace base {

using TextList = std::vector<std::string>;

// ASCII letters only; every other character is left as it is.
std::string ToUpperAscii(const std::string& text);
std::string ToLowerAscii(const std::string& text);

// Byte comparison that ignores the case of ASCII letters.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Removes exactly one final backslash, if there is one.
void DropTrailingBackslash(std::string* text);

}  // namespace base
