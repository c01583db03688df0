#include "base/text.h"

namespace base {

namespace {

template <typename Map>
std::string MapBytes(const std::string& text, Map map) {
  std::string result = text;
  for (char& c : result) c = map(c);
  return result;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ToUpperAscii(const std::string& text) { return MapBytes(text, UpperAscii); }

std::string ToLowerAscii(const std::string& text) { return MapBytes(text, LowerAscii); }

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

void DropTrailingBackslash(std::string* text) {
  if (!text->empty() && text->back() == '\\') text->pop_back();
}

}  // namespace base
