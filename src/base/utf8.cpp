#include "base/utf8.h"

namespace base {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point that starts at `*at`, moving past it; a lone surrogate
// comes as itself.
char32_t NextCodePoint(const std::u16string& text, std::size_t* at) {
  const char32_t unit = text[(*at)++];
  if (IsHighSurrogate(unit) && *at < text.size() && IsLowSurrogate(text[*at])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (text[(*at)++] - 0xDC00);
  }
  return unit;
}

}  // namespace

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, &at);
    AppendUtf8(IsHighSurrogate(code) || IsLowSurrogate(code) ? kReplacement : code, &out);
  }
  return out;
}

bool Utf16ToUtf8(const std::u16string& text, std::string* utf8) {
  utf8->clear();
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, &at);
    if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      utf8->clear();
      return false;
    }
    AppendUtf8(code, utf8);
  }
  return true;
}

bool Utf8ToUtf16(const std::string& text, std::u16string* wide) {
  wide->clear();
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || at + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[at + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0;
    if (code < smallest || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
      return false;
    }
    if (code >= 0x10000) {
      *wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      *wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      *wide += static_cast<char16_t>(code);
    }
    at += length;
  }
  return true;
}

std::size_t Utf16Length(const std::string& text) {
  std::size_t units = 0;
  for (const char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    if ((value & 0xC0) != 0x80) ++units;  // a lead byte or an ASCII one
    if (value >= 0xF0) ++units;           // past U+FFFF: a surrogate pair
  }
  return units;
}

}  // namespace base
