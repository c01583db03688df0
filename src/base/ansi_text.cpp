#include "base/ansi_text.h"

namespace base {

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace {

bool IsGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

}  // namespace

std::size_t CharacterLength(const std::string& text, std::size_t pos) {
  const bool pair = IsGbkLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                    IsGbkTrailByte(static_cast<unsigned char>(text[pos + 1]));
  return pair ? 2 : 1;
}

std::size_t FindBackslash(const std::string& text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += CharacterLength(text, i)) {
    if (text[i] == '\\') return i;
  }
  return std::string::npos;
}

std::size_t FindLastBackslash(const std::string& text) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
    if (text[i] == '\\') found = i;
  }
  return found;
}

namespace {

template <typename Map>
std::string MapAsciiLetters(const std::string& text, Map map) {
  std::string result = text;
  // A lead byte is no letter; its trail byte is skipped over.
  for (std::size_t i = 0; i < result.size(); i += CharacterLength(result, i)) {
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
  if (!text->empty() && FindLastBackslash(*text) == text->size() - 1) text->pop_back();
}

}  // namespace base
