#pragma once
// What every end-to-end test starts from: the SetUp.exe under test in a
// fresh distribution folder, AutoCAD's registry without installations, and
// the program started, its message boxes answered and waited for.

#include <gtest/gtest.h>

#include <memory>

#include "e2e/harness/setup_driver.h"

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(distribution_.ready()) << SetupExePath(); }

  // Starts SetUp.exe with `arguments` and waits for its dialog, which
  // dialog_ then drives.
  WindowDriver Start(const std::string& arguments = "");
  // Clicks a message box's button; true once the box is gone.
  static bool Answer(const WindowDriver& box, int buttonId);

  ScratchAcadRegistry registry_;
  ScratchDistribution distribution_{SetupExePath()};
  std::unique_ptr<SetupProcess> process_;
  WindowDriver dialog_;
};
