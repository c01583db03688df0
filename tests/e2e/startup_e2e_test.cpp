// SetUp.exe from its start to its first view: discovery drives the release
// boxes, the title lines and default folder are filled in, Install follows
// the ticks, and closing the dialog ends the program.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "e2e/setup_driver.h"
#include "ui/setup/win32/release_box_ids.h"
#include "ui/setup/win32/resource.h"

namespace {

constexpr int kFirstHiddenYear = 2017;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(distribution_.ready()) << SetupExePath(); }

  void AddRelease(int year, const char* baseKey = kAcadBaseKey) {
    ASSERT_TRUE(registry_.AddInstallation(SampleInstallation(year, baseKey))) << year;
  }

  // Starts SetUp.exe and waits for its dialog.
  WindowDriver Start() {
    process_.reset(new SetupProcess(distribution_.setupPath()));
    EXPECT_TRUE(process_->started());
    const WindowDriver dialog = process_->WaitForDialog();
    EXPECT_NE(nullptr, dialog.hwnd()) << "the setup dialog did not show";
    return dialog;
  }

  // Every release box as it should stand when exactly `found` were discovered.
  static void ExpectReleaseBoxes(const WindowDriver& dialog, const std::set<int>& found) {
    for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
      const int id = ReleaseBoxId(year);
      const bool served = year < kFirstHiddenYear;
      EXPECT_EQ(found.count(year) == 1, dialog.Enabled(id)) << year << " enabled";
      EXPECT_EQ(served, dialog.Visible(id)) << year << " visible";
      EXPECT_EQ(served && found.count(year) == 1, dialog.Checked(id)) << year << " ticked";
    }
  }

  ScratchAcadRegistry registry_;
  ScratchDistribution distribution_{SetupExePath()};
  std::unique_ptr<SetupProcess> process_;
};

TEST_F(StartupTest, FoundReleasesAreTickedAndTheLaterOnesWithdrawn) {
  AddRelease(2008, kAcadWow64BaseKey);
  AddRelease(2010);
  AddRelease(2014);
  AddRelease(2020);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  ExpectReleaseBoxes(dialog, {2008, 2010, 2014, 2020});
  EXPECT_TRUE(dialog.Enabled(IDC_INSTALL));
}

TEST_F(StartupTest, ShowsTheSettingsViewWithTitleBitnessAndDefaultFolder) {
  AddRelease(2014);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  EXPECT_EQ("B-批打印软件安装", dialog.Caption());
  EXPECT_EQ("批打印软件 V2025.03.01", dialog.Text(IDC_TITLE));
  EXPECT_EQ("( 32位 AutoCAD版 )", dialog.Text(IDC_BITNESS));
  EXPECT_EQ("C:\\Brenix", dialog.Text(IDC_INSTALL_PATH));
  EXPECT_EQ("请选择安装组件：", dialog.Text(IDC_COMPONENTS_LABEL));
  EXPECT_EQ("请选择安装路径：", dialog.Text(IDC_PATH_LABEL));
  EXPECT_EQ("安  装", dialog.Text(IDC_INSTALL));
  EXPECT_EQ("取  消", dialog.Text(IDCANCEL));
  EXPECT_EQ("浏览...", dialog.Text(IDC_BROWSE));
  EXPECT_EQ("For AutoCAD2014", dialog.Text(IDC_ACAD2014));

  for (int id : {IDC_TITLE, IDC_BITNESS, IDC_COMPONENTS_LABEL, IDC_PATH_LABEL, IDC_INSTALL_PATH,
                 IDC_BROWSE, IDC_INSTALL, IDCANCEL}) {
    EXPECT_TRUE(dialog.Visible(id)) << id;
  }
  for (int id : {IDOK, IDC_PROGRESS, IDC_COMPLETION_PICTURE, IDC_COMPLETION_TEXT}) {
    EXPECT_TRUE(dialog.Exists(id)) << id;
    EXPECT_FALSE(dialog.Visible(id)) << id;
  }
}

TEST_F(StartupTest, InstallIsEnabledExactlyWhileABoxIsTicked) {
  AddRelease(2008);
  AddRelease(2010);
  AddRelease(2014);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  ASSERT_TRUE(dialog.Click(IDC_ACAD2008));
  EXPECT_FALSE(dialog.Checked(IDC_ACAD2008));
  EXPECT_TRUE(dialog.Enabled(IDC_INSTALL));
  ASSERT_TRUE(dialog.Click(IDC_ACAD2010));
  EXPECT_TRUE(dialog.Enabled(IDC_INSTALL));
  ASSERT_TRUE(dialog.Click(IDC_ACAD2014));
  EXPECT_FALSE(dialog.Enabled(IDC_INSTALL)) << "no release is ticked";

  ASSERT_TRUE(dialog.Click(IDC_ACAD2010));
  EXPECT_TRUE(dialog.Checked(IDC_ACAD2010));
  EXPECT_TRUE(dialog.Enabled(IDC_INSTALL));
}

TEST_F(StartupTest, WithoutAnyReleaseEveryBoxAndInstallAreDisabled) {
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  ExpectReleaseBoxes(dialog, {});
  EXPECT_FALSE(dialog.Enabled(IDC_INSTALL));
  EXPECT_TRUE(dialog.Enabled(IDC_BROWSE));
}

TEST_F(StartupTest, OnlyAWithdrawnReleaseFoundLeavesInstallDisabled) {
  AddRelease(2018);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  EXPECT_FALSE(dialog.Visible(IDC_ACAD2018));
  EXPECT_FALSE(dialog.Checked(IDC_ACAD2018));
  EXPECT_FALSE(dialog.Enabled(IDC_INSTALL));
}

// Each way of closing the dialog ends the program.
enum class CloseBy { kCancelButton, kCloseBox, kEscape };

class CloseTest : public StartupTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(CloseTest, ClosingTheDialogEndsTheProgram) {
  AddRelease(2014);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  switch (GetParam()) {
    case CloseBy::kCancelButton:
      ASSERT_TRUE(dialog.PostClick(IDCANCEL));
      break;
    case CloseBy::kCloseBox:
      ASSERT_TRUE(dialog.PostClose());
      break;
    case CloseBy::kEscape:
      ASSERT_TRUE(dialog.PostEscape());
      break;
  }
  EXPECT_TRUE(process_->WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(EachWay, CloseTest,
                         ::testing::Values(CloseBy::kCancelButton, CloseBy::kCloseBox,
                                           CloseBy::kEscape));

}  // namespace
