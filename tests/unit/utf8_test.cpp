#include "base/utf8.h"

#include <gtest/gtest.h>

#include "support/table_rows.h"

namespace {

struct Utf8 {
  const char* name;
  std::string bytes;
  bool wellFormed;
  std::u16string text;
  std::size_t units;  // what Utf16Length counts
  PRINTS_ROW_NAME(Utf8)
};

class Utf8Test : public ::testing::TestWithParam<Utf8> {};

TEST_P(Utf8Test, ConvertsBothWaysOrRefusesMalformedBytes) {
  const Utf8& row = GetParam();
  std::u16string wide;
  EXPECT_EQ(row.wellFormed, base::Utf8ToUtf16(row.bytes, &wide));
  if (!row.wellFormed) return;
  EXPECT_EQ(row.text, wide);
  EXPECT_EQ(row.units, base::Utf16Length(row.bytes));
  std::string back;
  EXPECT_TRUE(base::Utf16ToUtf8(row.text, &back));
  EXPECT_EQ(row.bytes, back);
  EXPECT_EQ(row.bytes, base::Utf16ToUtf8(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Utf8Test,
    ::testing::Values(Utf8{"ascii", "C:\\a", true, u"C:\\a", 4},
                      Utf8{"two to four bytes", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", true,
                           u"\u00E9\u4E2D\U0001F600", 4},
                      Utf8{"chinese and hangul", "C:\\插件\\한국어", true, u"C:\\插件\\한국어", 9},
                      Utf8{"overlong", "\xC0\xAF", false, u"", 0},
                      Utf8{"surrogate", "\xED\xA0\x80", false, u"", 0},
                      Utf8{"past the last code point", "\xF4\x90\x80\x80", false, u"", 0},
                      Utf8{"cut short", "\xE4\xB8", false, u"", 0},
                      Utf8{"stray continuation", "a\x80", false, u"", 0}),
    RowName());

TEST(Utf8Test, ALoneSurrogateIsShownAsTheReplacementCharacterButNeverNamesAnything) {
  for (const char16_t lone : {char16_t(0xD800), char16_t(0xDFFF)}) {
    const std::u16string text = std::u16string(u"a") + lone + u"b";
    EXPECT_EQ(
        "a\xEF\xBF\xBD"
        "b",
        base::Utf16ToUtf8(text));
    std::string exact = "left over";
    EXPECT_FALSE(base::Utf16ToUtf8(text, &exact));
    EXPECT_EQ("", exact);
  }
}

}  // namespace
