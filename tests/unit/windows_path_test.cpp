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
      {"\\\\서버\\共享", false, true},
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
      {"\\\\서버", false, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.path));
    EXPECT_EQ(c.driveRoot, HasDriveRoot(c.path));
    EXPECT_EQ(c.absolute, IsAbsolutePath(c.path));
  }
}

}  // namespace
