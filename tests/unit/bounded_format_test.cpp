#include "base/bounded_format.h"

#include <gtest/gtest.h>

#include <string>

using base::FormatPath;
using base::FormatText;
using base::PathBuffer;

namespace {

TEST(FormatText, KnowsTextNumbersAndPercentAndRefusesTheRest) {
  EXPECT_EQ("C:\\a\\ACAD-7P.dll 100%", FormatText("%s\\ACAD%dP.dll 100%%", "C:\\a", -7));
  EXPECT_EQ("", FormatText("%s%x", "kept?", 10u));
}

// The limit is 259 UTF-16 units, however many bytes their UTF-8 form takes;
// past the Basic Multilingual Plane a character takes two units.
TEST(FormatPath, FillsTheBufferOnlyWithATextThatFits) {
  for (const char* unit : {"a", "插", "한"}) {
    PathBuffer buffer = "old";
    std::string fits;
    for (int i = 0; i < 259; ++i) fits += unit;
    EXPECT_EQ(static_cast<int>(fits.size()), FormatPath(buffer, "%s", fits.c_str())) << unit;
    EXPECT_EQ(fits, buffer);
    EXPECT_EQ(-1, FormatPath(buffer, "%s%d", fits.c_str(), 1)) << unit;
    EXPECT_STREQ("", buffer);
  }
  PathBuffer buffer = "old";
  EXPECT_EQ(-1, FormatPath(buffer, "%s😀", std::string(258, 'a').c_str()));
  EXPECT_EQ(257 + 4, FormatPath(buffer, "%s😀", std::string(257, 'a').c_str()));
  EXPECT_EQ(-1, FormatPath(buffer, "%s %u", "x", 1u));
  EXPECT_STREQ("", buffer);
}

}  // namespace
