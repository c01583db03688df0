#include "base/ansi_text.h"

#include <gtest/gtest.h>

using base::CharacterLength;
using base::DropTrailingBackslash;
using base::EqualsIgnoreCase;
using base::FindLastBackslash;
using base::ToLowerAnsi;
using base::ToUpperAnsi;

namespace {

// GBK characters whose second byte is an ASCII backslash or a lower-case letter.
const std::string kTrailBackslash = "\x95\x5C";
const std::string kTrailLetter = "\xB0\x61";

TEST(AnsiTextTest, CasingChangesAsciiLettersOnly) {
  EXPECT_EQ(ToUpperAnsi("c:\\x" + kTrailLetter + "y"), "C:\\X" + kTrailLetter + "Y");
  EXPECT_EQ(ToLowerAnsi("ACAD" + kTrailLetter + ".EXE"), "acad" + kTrailLetter + ".exe");
  EXPECT_TRUE(EqualsIgnoreCase("SetUp.EXE", "setup.exe"));
  EXPECT_FALSE(EqualsIgnoreCase("setup.exe", "setup.ex"));
}

TEST(AnsiTextTest, TrailByteIsNoBackslash) {
  EXPECT_EQ(FindLastBackslash("C:\\a" + kTrailBackslash), 2u);
  EXPECT_EQ(FindLastBackslash(kTrailBackslash), std::string::npos);
  EXPECT_EQ(FindLastBackslash("C:\\a\\"), 4u);

  std::string path = "D:\\" + kTrailBackslash;
  DropTrailingBackslash(&path);
  EXPECT_EQ(path, "D:\\" + kTrailBackslash);
  path += "\\\\";
  DropTrailingBackslash(&path);
  EXPECT_EQ(path, "D:\\" + kTrailBackslash + "\\");
}

TEST(AnsiTextTest, ALeadByteTakesTheNextByteOnlyWhenItCanBeASecondByte) {
  struct Case {
    std::string text;
    std::size_t length;  // of the character at 0
  };
  const Case kCases[] = {
      {"\x81\x40", 2}, {"\x81\x7E", 2}, {"\x81\x80", 2}, {"\xFE\xFE", 2},
      {"\x81\x3F", 1}, {"\x81\x7F", 1}, {"\xFE\xFF", 1}, {std::string("\x81\0", 2), 1},
      {"\x81\t", 1},   {"\x81", 1},     {"\x80\x40", 1}, {"\xFF\x40", 1},
      {"a\x81", 1},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.length, CharacterLength(c.text, 0)) << ::testing::PrintToString(c.text);
  }
}

}  // namespace
