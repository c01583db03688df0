#pragma once
// Helpers for ANSI (GBK) byte strings. A GBK lead byte (0x81-0xFE) carries
// the next byte with it when that byte can be a second byte, so casing and
// searching never split a character.

#include <cstddef>
#include <string>
#include <vector>

namespace base {

using TextList = std::vector<std::string>;

bool IsGbkLeadByte(unsigned char byte);

// Bytes of the character that starts at `pos`: 2 for a lead byte followed by
// a byte that can be a second byte (0x40-0x7E, 0x80-0xFE), 1 otherwise. A lead byte without one
// stands alone, and the byte after it is a character of its own.
std::size_t CharacterLength(const std::string& text, std::size_t pos);

// Position of the first backslash at or after `from` that is a character of
// its own; npos when there is none.
std::size_t FindBackslash(const std::string& text, std::size_t from);

// Position of the last backslash that is a character of its own (not the
// trail byte of a double-byte character); npos when there is none.
std::size_t FindLastBackslash(const std::string& text);

// ASCII letters only; double-byte characters are left as they are.
std::string ToUpperAnsi(const std::string& text);
std::string ToLowerAnsi(const std::string& text);

// Byte comparison that ignores the case of ASCII letters.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Removes exactly one final backslash, if there is one; the trail byte of a
// double-byte character is not a backslash.
void DropTrailingBackslash(std::string* text);

}  // namespace base
