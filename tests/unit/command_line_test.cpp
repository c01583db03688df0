#include "base/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using base::CommandLine;
using base::ComposeCommandLine;
using base::ParseCommandLine;

namespace {

struct Accepted {
  std::string arguments;
  bool unattended;
  bool elevated;
  std::string folder;  // empty: none
  bool all;
  std::vector<int> releases;
  std::string log;  // empty: none
  friend void PrintTo(const Accepted& row, std::ostream* out) {
    *out << ::testing::PrintToString(row.arguments);
  }
};

std::vector<Accepted> AcceptedLines() {
  const std::string longest(259, 'x');
  std::string longestChinese;  // 259 UTF-16 units, 777 bytes
  for (int i = 0; i < 259; ++i) longestChinese += "插";
  return {
      {"", false, false, "", false, {}, ""},
      {"  /S  ", true, false, "", false, {}, ""},
      {"-s /d=C:\\Brenix", true, false, "C:\\Brenix", false, {}, ""},
      {"/S\t/D=C:\\Brenix", true, false, "C:\\Brenix", false, {}, ""},
      {"/D=\"C:\\Program Files\\Brenix\"",
       false,
       false,
       "C:\\Program Files\\Brenix",
       false,
       {},
       ""},
      {"\"/D=C:\\My Tools\" /r=2020,2014", false, false, "C:\\My Tools", false, {2020, 2014}, ""},
      {"/R=ALL /Log=\"C:\\logs\\setup log.txt\"",
       false,
       false,
       "",
       true,
       {},
       "C:\\logs\\setup log.txt"},
      {"/D=\"C:\\dir\\\\\"", false, false, "C:\\dir\\", false, {}, ""},
      {"/D=C:\\a\\\\b", false, false, "C:\\a\\\\b", false, {}, ""},
      {"/D=C:\\插件\\工具한국어", false, false, "C:\\插件\\工具한국어", false, {}, ""},
      {"/D=" + longest, false, false, longest, false, {}, ""},
      {"/D=" + longestChinese, false, false, longestChinese, false, {}, ""},
      // Explorer's "Copy as path" quotes, kept by an escaped quote pair.
      {"\"/D=\\\"D:\\CAD Tools\\\"\"", false, false, "D:\\CAD Tools", false, {}, ""},
      {"/elevated /R=2014", false, true, "", false, {2014}, ""},
  };
}

class AcceptedLineTest : public ::testing::TestWithParam<Accepted> {};

// Options in any case, with '/' or '-', and quoted spaces.
TEST_P(AcceptedLineTest, GivesItsOptions) {
  const Accepted& c = GetParam();
  CommandLine line;
  std::string problem = "unchanged";
  ASSERT_TRUE(ParseCommandLine(c.arguments, &line, &problem)) << problem;
  EXPECT_EQ("", problem);
  EXPECT_EQ(c.unattended, line.unattended);
  EXPECT_EQ(c.elevated, line.elevated);
  EXPECT_EQ(c.folder, line.folder.value_or(""));
  EXPECT_EQ(c.all, line.allReleases);
  EXPECT_EQ(c.releases, line.releases);
  EXPECT_EQ(c.log, line.logFile.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(Lines, AcceptedLineTest, ::testing::ValuesIn(AcceptedLines()));

// Arguments and the argument named as the problem.
using Refused = std::pair<std::string, std::string>;

std::vector<Refused> RefusedLines() {
  const std::string tooLong = "/D=" + std::string(260, 'x');
  std::string tooLongHangul = "/D=";
  for (int i = 0; i < 260; ++i) tooLongHangul += "한";
  return {
      {"/X", "/X"},
      {"\"\"", "\"\""},
      {"\"", "\"\""},
      {"\"/D=C:\\a\\\" /R=2014", "/D=C:\\a\" /R=2014"},
      {"install", "install"},
      {"/S /S", "/S"},
      {"/S=1", "/S=1"},
      {"/D=a /D=b", "/D=b"},
      {"/D=", "/D="},
      {"/D", "/D"},
      {"/R=2006", "/R=2006"},
      {"/R=2026", "/R=2026"},
      {"/R=2014,,2020", "/R=2014,,2020"},
      {"/R=14", "/R=14"},
      {"/R=all /R=2014", "/R=2014"},
      {"/LOG=a \"/LOG=b c\"", "/LOG=b c"},
      {"/ELEVATED /ELEVATED", "/ELEVATED"},
      {"/ELEVATED=1", "/ELEVATED=1"},
      {tooLong, tooLong},
      {tooLongHangul, tooLongHangul},
  };
}

class RefusedLineTest : public ::testing::TestWithParam<Refused> {};

// What it does not know, repeated options, bad years and long values.
TEST_P(RefusedLineTest, NamesTheFirstBadArgument) {
  CommandLine line;
  std::string problem;
  EXPECT_FALSE(ParseCommandLine(GetParam().first, &line, &problem));
  EXPECT_EQ(GetParam().second, problem);
}

INSTANTIATE_TEST_SUITE_P(Lines, RefusedLineTest, ::testing::ValuesIn(RefusedLines()));

TEST(CommandLine, OptionsThatTellHowToRefuseAreTakenBesideABadArgument) {
  // An unattended run must stay silent even when another argument is bad.
  CommandLine line;
  std::string problem;
  EXPECT_FALSE(ParseCommandLine("/X=1 /D=C:\\a /s", &line, &problem));
  EXPECT_EQ("/X=1", problem);
  EXPECT_TRUE(line.unattended);
  // The log is known too, so that the refusal can be written to it.
  EXPECT_FALSE(ParseCommandLine("/R=2014, /LOG=x", &line, &problem));
  EXPECT_EQ("x", line.logFile.value_or(""));
}

TEST(CommandLine, ComposedArgumentsParseBackToTheSameOptions) {
  CommandLine line;
  line.unattended = true;
  line.elevated = true;
  line.folder = "C:\\Program Files\\Brenix\\";
  line.releases = {2014, 2020};
  line.logFile = "C:\\a b\\\\";  // two backslashes at the end
  CommandLine back;
  std::string problem;
  ASSERT_TRUE(ParseCommandLine(ComposeCommandLine(line), &back, &problem)) << problem;
  EXPECT_TRUE(line == back) << ComposeCommandLine(line);
  // The uninstaller hands its options to its copy the same way.
  line = CommandLine();
  line.uninstall = true;
  line.folder = "D:\\CAD Tools";
  ASSERT_TRUE(ParseCommandLine(ComposeCommandLine(line), &back, &problem)) << problem;
  EXPECT_TRUE(line == back) << ComposeCommandLine(line);
  EXPECT_FALSE(ParseCommandLine("/U /u", &back, &problem));
}

}  // namespace
