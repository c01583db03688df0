#pragma once
// Helpers for ANSI (GBK) byte strings. A GBK lead byte (0x81-0xFE) carries
// the next byte with it, so casing and searching never split a character.

#include <string>
#include <vector>

using TextList = std::vector<std::string>;

bool IsGbkLeadByte(unsigned char byte);

// ASCII letters only; double-byte characters are left as they are.
std::string ToUpperAnsi(const std::string& text);
std::string ToLowerAnsi(const std::string& text);

// Byte comparison that ignores the case of ASCII letters.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Removes exactly one final backslash, if there is one.
void DropTrailingBackslash(std::string* text);
