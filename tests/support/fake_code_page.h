#pragma once
// Code page 936 as the fakes convert it: ASCII, and the few double-byte
// characters the tests use.

#include <string>

// False when `text` holds a byte sequence outside that set; each such
// character becomes U+FFFD.
bool FakeAnsiToWide(const std::string& text, std::u16string* wide);
// False when `text` holds a character outside that set; each such character
// becomes "?", as one code page 936 lacks does.
bool FakeWideToAnsi(const std::u16string& text, std::string* ansi);
