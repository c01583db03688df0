// Win32Processes lists the processes of this Wine prefix or Windows session,
// this test program among them.

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"
#include "platform/win32/win32_processes.h"

using base::EqualsIgnoreCase;

TEST(Win32ProcessesTest, SnapshotListsThisProgramByImageName) {
  win32::Win32Processes processes;
  std::vector<std::string> names;
  ASSERT_TRUE(processes.ImageNames(&names));
  EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& name) {
    return EqualsIgnoreCase(name, "win32_tests.exe");
  }));
}

// The tests run as an administrator (Wine's user is one), whose token holds
// the restore and backup privileges but is not the local system account's.
TEST(Win32ProcessesTest, AnAdministratorIsNoSystemAccountAndEnablesTheHivePrivileges) {
  win32::Win32Processes processes;
  EXPECT_FALSE(processes.IsSystemAccount());
  EXPECT_EQ(0, processes.EnableHivePrivileges());
}
