// SetUp.exe from its start to its first view: discovery drives the release
// boxes, the title lines and default folder are filled in, Install follows
// the ticks, and closing the dialog ends the program.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "e2e/harness/setup_fixture.h"
#include "support/test_values.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

using ui::ReleaseBoxId;

namespace {

// The 64-bit program serves every release, the 32-bit one those before 2017.
bool Served(int year) { return kProgramBitness == 64 || year < 2017; }

// Time given to a message box that must not appear.
constexpr DWORD kNoMessageWait = 1000;

class StartupTest : public SetupTest {
 protected:
  void AddRelease(int year, const char* baseKey = kAcadBaseKey) {
    ASSERT_TRUE(registry_.AddInstallation(SampleInstallation(year, baseKey))) << year;
  }

  // Every release box as it should stand when exactly `found` were discovered.
  static void ExpectReleaseBoxes(const WindowDriver& dialog, const std::set<int>& found) {
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      const int id = ReleaseBoxId(year);
      const bool served = Served(year);
      EXPECT_EQ(found.count(year) == 1, dialog.Enabled(id)) << year << " enabled";
      EXPECT_EQ(served, dialog.Visible(id)) << year << " visible";
      EXPECT_EQ(served && found.count(year) == 1, dialog.Checked(id)) << year << " ticked";
    }
  }
};

TEST_F(StartupTest, FoundReleasesAreTickedAndTheUnservedOnesWithdrawn) {
  AddRelease(2008, kAcadWow64BaseKey);
  for (int year : {2010, 2014, 2018, 2020, 2024}) AddRelease(year);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  ExpectReleaseBoxes(dialog, {2008, 2010, 2014, 2018, 2020, 2024});
  EXPECT_TRUE(dialog.Enabled(IDC_INSTALL));
  EXPECT_EQ(nullptr, process_->WaitForMessageBox(kNoMessageWait).hwnd());
}

TEST_F(StartupTest, ShowsTheSettingsViewWithTitleBitnessAndDefaultFolder) {
  AddRelease(2014);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  EXPECT_EQ("B-批打印软件安装", dialog.Caption());
  EXPECT_EQ("批打印软件 V2025.03.01", dialog.Text(IDC_TITLE));
  EXPECT_EQ(kProgramBitness == 64 ? "( 64位 AutoCAD版 )" : "( 32位 AutoCAD版 )",
            dialog.Text(IDC_BITNESS));
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

TEST_F(StartupTest, EnterWithInstallDisabledDoesNothing) {
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());
  ASSERT_FALSE(dialog.Enabled(IDC_INSTALL));

  ASSERT_TRUE(dialog.PostKey(VK_RETURN));
  EXPECT_FALSE(process_->WaitForExit(kNoMessageWait)) << "Enter ended the program";
  EXPECT_TRUE(dialog.Visible(IDC_INSTALL));
  EXPECT_EQ(nullptr, process_->WaitForMessageBox(0).hwnd());
}

TEST_F(StartupTest, OnlyARelease2018FoundLeavesInstallToTheProgramThatServesIt) {
  AddRelease(2018);
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  EXPECT_EQ(Served(2018), dialog.Visible(IDC_ACAD2018));
  EXPECT_EQ(Served(2018), dialog.Checked(IDC_ACAD2018));
  EXPECT_EQ(Served(2018), dialog.Enabled(IDC_INSTALL));
}

// The 32-bit program in a 64-bit prefix where only 64-bit hosts are
// registered: once its dialog shows, it says once that the 64-bit setup
// program is needed, and the dialog stays usable.
TEST_F(StartupTest, The32BitProgramSends64BitHostsToThe64BitSetup) {
  if (kProgramBitness != 64) GTEST_SKIP() << "needs the 64-bit prefix";
  if (Setup32ExePath().empty()) GTEST_SKIP() << "this machine cannot run the 32-bit program";
  AddRelease(2020);
  ScratchDistribution distribution32(Setup32ExePath());
  ASSERT_TRUE(distribution32.ready());
  process_.reset(new SetupProcess(distribution32.setupPath()));
  const WindowDriver dialog = process_->WaitForDialog();
  ASSERT_NE(nullptr, dialog.hwnd());

  const WindowDriver box = process_->WaitForMessageBox();
  ASSERT_NE(nullptr, box.hwnd()) << "no notice";
  EXPECT_EQ(kSetupBoxCaption, box.Caption());
  EXPECT_NE(std::string::npos, MessageBoxText(box).find("64位")) << MessageBoxText(box);
  ASSERT_TRUE(box.Click(IDOK));
  EXPECT_TRUE(WaitUntil([&box] { return !IsWindow(box.hwnd()); }));
  EXPECT_EQ(nullptr, process_->WaitForMessageBox(kNoMessageWait).hwnd()) << "a second notice";

  EXPECT_EQ("( 32位 AutoCAD版 )", dialog.Text(IDC_BITNESS));
  EXPECT_FALSE(dialog.Visible(IDC_ACAD2020));
  EXPECT_FALSE(dialog.Enabled(IDC_INSTALL));
  ASSERT_TRUE(dialog.PostClick(IDCANCEL));
  EXPECT_TRUE(process_->WaitForExit());
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
      ASSERT_TRUE(dialog.PostKey(VK_ESCAPE));
      break;
  }
  EXPECT_TRUE(process_->WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(EachWay, CloseTest,
                         ::testing::Values(CloseBy::kCancelButton, CloseBy::kCloseBox,
                                           CloseBy::kEscape));

}  // namespace
