#include "base/windows_path.h"

#include <gtest/gtest.h>

#include <string>

using base::HasDriveRoot;
using base::IsAbsolutePath;

namespace {

TEST(WindowsPathTest, OnlyADriveRootOrAServerShareMakesAPathAbsolute) {
  struct Case {
    std::string path;
    bool driveRoot;
    bool absolute;
  };
  const Case kCases[] = {
      {"C:\\", true, true},
      {"z:\\a\\b", true, true},
      {"\\\\server\\share", false, true},
      {"\\\\s\\x\\y", false, true},
      {"\\\\\x95\x5C\\s", false, true},  // a server name whose character ends in 0x5C
      {"", false, false},
      {"Brenix", false, false},
      {"\\Brenix", false, false},
      {"..\\x", false, false},
      {"C:", false, false},
      {"C:Brenix", false, false},
      {"C:/x", false, false},
      {"1:\\x", false, false},
      {"\\\\", false, false},
      {"\\\\server", false, false},
      {"\\\\server\\", false, false},
      {"\\\\\\share", false, false},
      {"\\\\server\\\\share", false, false},
      {"\\\\\x95\x5C", false, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.path));
    EXPECT_EQ(c.driveRoot, HasDriveRoot(c.path));
    EXPECT_EQ(c.absolute, IsAbsolutePath(c.path));
  }
}

}  // namespace
