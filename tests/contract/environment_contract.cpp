#include "contract/environment_contract.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "support/table_rows.h"

using base::EqualsIgnoreCase;
using base::ToLowerAscii;

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

class EnvironmentVariableTable : public EnvironmentContract,
                                 public ::testing::WithParamInterface<TextRow> {};

TEST_P(EnvironmentVariableTable, ReadsBackWholeUnderAnyCase) {
  const std::string& set = GetParam().text;
  under().SetVariable(kVariable, set);
  std::string value;
  EXPECT_TRUE(environment().GetVariable(kVariable, &value));
  EXPECT_EQ(value, set);
  value.clear();
  EXPECT_TRUE(environment().GetVariable(ToLowerAscii(kVariable), &value));
  EXPECT_EQ(value, set);
}

// No code page holds Chinese, Hangul and "𝄞" together.
INSTANTIATE_TEST_SUITE_P(Values, EnvironmentVariableTable,
                         ::testing::Values(TextRow{"long", std::string(5000, 'v')},
                                           TextRow{"outside any code page", "D:\\中文\\한국어\\𝄞"}),
                         RowName());

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
  // A name that is not UTF-8 names no variable, not even the one that has
  // U+FFFD in its place.
  const std::string replaced = std::string(kVariable) + "\uFFFD";
  under().SetVariable(replaced, "x");
  EXPECT_FALSE(environment().GetVariable(std::string(kVariable) + "\xFF", &value));
  under().UnsetVariable(replaced);
}

TEST_F(EnvironmentContract, CurrentDirectoryIsTheWorkingFolder) {
  std::string path;
  ASSERT_TRUE(environment().CurrentDirectory(&path));
  EXPECT_EQ(path, under().WorkingFolder());
}

TEST_F(EnvironmentContract, LocalDateIsEightDigitsOfAPlausibleDate) {
  const std::string date = environment().LocalDate();
  ASSERT_EQ(8u, date.size()) << date;
  EXPECT_EQ(std::string::npos, date.find_first_not_of("0123456789")) << date;
  EXPECT_TRUE(date >= "20260101" && date < "21000101") << date;  // from the year of writing
  const std::string month = date.substr(4, 2), day = date.substr(6, 2);
  EXPECT_TRUE(month >= "01" && month <= "12" && day >= "01" && day <= "31") << date;
}

}  // namespace
