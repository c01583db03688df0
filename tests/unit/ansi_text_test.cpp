#include "app/ansi_text.h"

#include <gtest/gtest.h>

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

}  // namespace
