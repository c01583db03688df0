#include "support/fake_code_page.h"

#include "base/ansi_text.h"

using base::CharacterLength;

namespace {

struct DoubleByte {
  const char* ansi;  // GBK bytes: the sources are compiled for that code page
  char16_t wide;
};

// Among them characters whose second byte is a letter or a backslash.
constexpr DoubleByte kDoubleBytes[] = {
    {"中", u'中'}, {"文", u'文'}, {"乤", u'乤'}, {"癮", u'癮'}, {"昞", u'昞'}};

}  // namespace

bool FakeAnsiToWide(const std::string& text, std::u16string* wide) {
  wide->clear();
  bool known = true;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
    const std::string character = text.substr(i, CharacterLength(text, i));
    char16_t unit =
        static_cast<unsigned char>(text[i]) < 0x80 ? static_cast<char16_t>(text[i]) : u'\uFFFD';
    for (const DoubleByte& entry : kDoubleBytes) {
      if (character == entry.ansi) unit = entry.wide;
    }
    known = known && unit != u'\uFFFD';
    *wide += unit;
  }
  return known;
}

bool FakeWideToAnsi(const std::u16string& text, std::string* ansi) {
  ansi->clear();
  bool known = true;
  for (char16_t unit : text) {
    std::string character = unit < 0x80 ? std::string(1, static_cast<char>(unit)) : "";
    for (const DoubleByte& entry : kDoubleBytes) {
      if (unit == entry.wide) character = entry.ansi;
    }
    known = known && !character.empty();
    *ansi += character.empty() ? "?" : character;
  }
  return known;
}
