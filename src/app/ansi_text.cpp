#include "app/ansi_text.h"

#include <cstddef>

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace {

template <typename Map>
std::string MapAsciiLetters(const std::string& text, Map map) {
  std::string result = text;
  for (std::size_t i = 0; i < result.size(); ++i) {
    const auto byte = static_cast<unsigned char>(result[i]);
    if (IsGbkLeadByte(byte)) {
      ++i;  // the trail byte belongs to this character
      continue;
    }
    result[i] = map(result[i]);
  }
  return result;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ToUpperAnsi(const std::string& text) { return MapAsciiLetters(text, UpperAscii); }

std::string ToLowerAnsi(const std::string& text) { return MapAsciiLetters(text, LowerAscii); }

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ToUpperAnsi(a) == ToUpperAnsi(b);
}

void DropTrailingBackslash(std::string* text) {
  if (!text->empty() && text->back() == '\\') text->pop_back();
}
