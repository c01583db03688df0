#include "base/text.h"

#include <gtest/gtest.h>

#include "support/table_rows.h"

namespace {

struct Casing {
  const char* name;
  std::string text;
  std::string upper;
  std::string lower;
  PRINTS_ROW_NAME(Casing)
};

class CasingTest : public ::testing::TestWithParam<Casing> {};

TEST_P(CasingTest, ChangesAsciiLettersOnly) {
  const Casing& row = GetParam();
  EXPECT_EQ(row.upper, base::ToUpperAscii(row.text));
  EXPECT_EQ(row.lower, base::ToLowerAscii(row.text));
  EXPECT_TRUE(base::EqualsIgnoreCase(row.upper, row.lower));
  EXPECT_FALSE(base::EqualsIgnoreCase(row.text, row.text + "x"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CasingTest,
    ::testing::Values(Casing{"ascii", "SetUp.exe", "SETUP.EXE", "setup.exe"},
                      Casing{"chinese", "c:\\插件\\a", "C:\\插件\\A", "c:\\插件\\a"},
                      Casing{"hangul", "AutoCAD 2012 - 한국어", "AUTOCAD 2012 - 한국어",
                             "autocad 2012 - 한국어"},
                      Casing{"latin letters beyond ascii", "Ärger é", "ÄRGER é", "Ärger é"}),
    RowName());

TEST(TextTest, DropsExactlyOneTrailingBackslash) {
  std::string path = "D:\\한\\\\";
  base::DropTrailingBackslash(&path);
  EXPECT_EQ("D:\\한\\", path);
  base::DropTrailingBackslash(&path);
  EXPECT_EQ("D:\\한", path);
  base::DropTrailingBackslash(&path);
  EXPECT_EQ("D:\\한", path);
}

}  // namespace
