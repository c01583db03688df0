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

TEST(FormatPath, FillsTheBufferOnlyWithATextThatFits) {
  PathBuffer buffer = "old";
  const std::string fits(259, 'a');
  EXPECT_EQ(259, FormatPath(buffer, "%s", fits.c_str()));
  EXPECT_EQ(fits, buffer);
  EXPECT_EQ(-1, FormatPath(buffer, "%s%d", fits.c_str(), 1));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(-1, FormatPath(buffer, "%s %u", "x", 1u));
  EXPECT_STREQ("", buffer);
}

}  // namespace
