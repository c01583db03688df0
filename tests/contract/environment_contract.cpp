#include "contract/environment_contract.h"

#include <gtest/gtest.h>

#include "base/ansi_text.h"

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

}  // namespace
