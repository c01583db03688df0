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
};

TEST(CommandLine, OptionsInAnyCaseWithSlashOrDashAndQuotedSpaces) {
  const std::string longest(259, 'x');
  const Accepted cases[] = {
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
      {"/D=C:\\\xD5\\\\x\xBD\\", false, false, "C:\\\xD5\\\\x\xBD\\", false, {}, ""},
      {"/D=" + longest, false, false, longest, false, {}, ""},
      // Explorer's "Copy as path" quotes, kept by an escaped quote pair.
      {"\"/D=\\\"D:\\CAD Tools\\\"\"", false, false, "D:\\CAD Tools", false, {}, ""},
      {"/elevated /R=2014", false, true, "", false, {2014}, ""},
  };
  for (const Accepted& c : cases) {
    CommandLine line;
    std::string problem = "unchanged";
    ASSERT_TRUE(ParseCommandLine(c.arguments, &line, &problem)) << c.arguments << ": " << problem;
    EXPECT_EQ("", problem);
    EXPECT_EQ(c.unattended, line.unattended) << c.arguments;
    EXPECT_EQ(c.elevated, line.elevated) << c.arguments;
    EXPECT_EQ(c.folder, line.folder.value_or("")) << c.arguments;
    EXPECT_EQ(c.all, line.allReleases) << c.arguments;
    EXPECT_EQ(c.releases, line.releases) << c.arguments;
    EXPECT_EQ(c.log, line.logFile.value_or("")) << c.arguments;
  }
}

TEST(CommandLine, RefusesWhatItDoesNotKnowRepeatedOptionsBadYearsAndLongValues) {
  const std::string tooLong = "/D=" + std::string(260, 'x');
  const std::pair<std::string, std::string> cases[] = {
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
  };
  for (const auto& c : cases) {
    CommandLine line;
    std::string problem;
    EXPECT_FALSE(ParseCommandLine(c.first, &line, &problem)) << c.first;
    EXPECT_EQ(c.second, problem) << c.first;
  }
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
}

}  // namespace
