#include "contract/environment_contract.h"

#include <gtest/gtest.h>

#include <string>

#include "base/ansi_text.h"
#include "support/table_rows.h"

using base::EqualsIgnoreCase;
using base::ToLowerAnsi;

namespace {

constexpr char kVariable[] = "SETUP_CONTRACT_VARIABLE";

class EnvironmentContract : public ::testing::Test {
 protected:
  void SetUp() override { m_under = MakeEnvironmentUnderTest(); }
  void TearDown() override { m_under->UnsetVariable(kVariable); }

  platform::EnvironmentPort& environment() { return m_under->Port(); }
  EnvironmentUnderTest& under() { return *m_under; }

 private:
  std::unique_ptr<EnvironmentUnderTest> m_under;
};

TEST_F(EnvironmentContract, ModulePathIsTheProgramsFullPath) {
  std::string path;
  ASSERT_TRUE(environment().ModulePath(&path));
  const std::string tail = "\\" + under().ProgramFileName();
  ASSERT_GT(path.size(), tail.size());
  EXPECT_EQ(path[1], ':') << path;
  EXPECT_TRUE(EqualsIgnoreCase(path.substr(path.size() - tail.size()), tail)) << path;
}

TEST_F(EnvironmentContract, VariableReadsBackWholeUnderAnyCase) {
  const std::string longValue(5000, 'v');
  under().SetVariable(kVariable, longValue);
  std::string value;
  EXPECT_TRUE(environment().GetVariable(kVariable, &value));
  EXPECT_EQ(value, longValue);
  value.clear();
  EXPECT_TRUE(environment().GetVariable(ToLowerAnsi(kVariable), &value));
  EXPECT_EQ(value, longValue);
}

TEST_F(EnvironmentContract, EmptyVariableIsSetAndEmpty) {
  under().SetVariable(kVariable, "");
  std::string value = "before";
  EXPECT_TRUE(environment().GetVariable(kVariable, &value));
  EXPECT_EQ(value, "");
}

TEST_F(EnvironmentContract, UnsetVariableIsNotFound) {
  under().SetVariable(kVariable, "x");
  under().UnsetVariable(kVariable);
  std::string value;
  EXPECT_FALSE(environment().GetVariable(kVariable, &value));
}

TEST_F(EnvironmentContract, CurrentDirectoryIsTheWorkingFolder) {
  std::string path;
  ASSERT_TRUE(environment().CurrentDirectory(&path));
  EXPECT_EQ(path, under().WorkingFolder());
}

TEST_F(EnvironmentContract, AnsiTextWidensThroughTheCodePageAndInvalidTextFails) {
  std::u16string wide = u"before";
  EXPECT_TRUE(environment().AnsiToWide("C:\\中文\\B-PlotSweep", &wide));
  EXPECT_EQ(wide, u"C:\\中文\\B-PlotSweep");
  EXPECT_TRUE(environment().AnsiToWide("", &wide));
  EXPECT_EQ(wide, u"");
  EXPECT_FALSE(environment().AnsiToWide("C:\\a\x81", &wide));
}

struct NarrowRow {
  const char* name;
  std::u16string wide;
  bool converts;
  std::string ansi;
  PRINTS_ROW_NAME(NarrowRow)
};

class WideToAnsiTable : public ::testing::TestWithParam<NarrowRow> {};

// Code page 936 has Chinese and the pinyin letters, but no Thai, Hangul or "ß".
TEST_P(WideToAnsiTable, ConvertsOnlyWhatTheCodePageHolds) {
  const NarrowRow& row = GetParam();
  const std::unique_ptr<EnvironmentUnderTest> under = MakeEnvironmentUnderTest();
  std::string ansi = "untouched";
  EXPECT_EQ(row.converts, under->Port().WideToAnsi(row.wide, &ansi));
  if (row.converts) {
    EXPECT_EQ(row.ansi, ansi);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, WideToAnsiTable,
                         ::testing::Values(NarrowRow{"ascii", u"C:\\Brenix\\B-PlotSweep", true,
                                                     "C:\\Brenix\\B-PlotSweep"},
                                           NarrowRow{"chinese", u"C:\\中文", true, "C:\\中文"},
                                           NarrowRow{"empty", u"", true, ""},
                                           NarrowRow{"thai", u"C:\\\u0E01", false, ""},
                                           NarrowRow{"hangul", u"C:\\한글", false, ""},
                                           NarrowRow{"sharp s", u"Straße", false, ""},
                                           NarrowRow{"lone surrogate", u"a\xD800", false, ""}),
                         RowName());

TEST_F(EnvironmentContract, LocalDateIsEightDigitsOfAPlausibleDate) {
  const std::string date = environment().LocalDate();
  ASSERT_EQ(8u, date.size()) << date;
  EXPECT_EQ(std::string::npos, date.find_first_not_of("0123456789")) << date;
  EXPECT_TRUE(date >= "20260101" && date < "21000101") << date;  // from the year of writing
  const std::string month = date.substr(4, 2), day = date.substr(6, 2);
  EXPECT_TRUE(month >= "01" && month <= "12" && day >= "01" && day <= "31") << date;
}

}  // namespace
