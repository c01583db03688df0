// SetUp.exe /S: the install of a deployment tool, without any window, with
// an exit code that says how it ended; and the command line's options in
// the dialog.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "e2e/harness/install_fixture.h"
#include "support/test_values.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

using ui::ReleaseBoxId;

namespace {

// The log's last line (the log is UTF-8, as the test's own texts are).
std::string LastLogLine(const std::string& logFile) {
  std::string log = ReadFileContent(logFile).value_or("");
  while (!log.empty() && (log.back() == '\n' || log.back() == '\r')) log.pop_back();
  return log.substr(log.find_last_of('\n') + 1);
}

class UnattendedTest : public InstallTest {
 protected:
  // Runs SetUp.exe with `arguments` to its end; the exit code, after checking
  // that no window of it ever showed.
  DWORD RunToEnd(const std::string& arguments) {
    process_ = std::make_unique<SetupProcess>(distribution_.setupPath(), arguments);
    EXPECT_TRUE(process_->started());
    EXPECT_FALSE(process_->ShowsAWindowBeforeItEnds(kInstallTimeout)) << "a window showed";
    return process_->ExitCode();
  }

  std::string FolderArgument() const { return "\"/D=" + chosenFolder() + "\""; }

  // A host folder that is a file: the host steps of 2012 fail.
  void AddBrokenRelease() {
    ASSERT_TRUE(sandbox_.AddFile("host.txt", "not a folder"));
    AcadInstallation broken = SampleInstallation(2012);
    broken.location = sandbox_.Child("host.txt");
    ASSERT_TRUE(registry_.AddInstallation(broken));
  }
};

TEST_F(UnattendedTest, InstallsWhatAClickedInstallInstallsAndExitsWithZero) {
  ASSERT_TRUE(AddDataPayload());
  EXPECT_EQ(0u, RunToEnd("/S " + FolderArgument()));
  ExpectInstalledFiles(installFolder());
  for (const TestRelease& release : releases_) {
    ExpectSupportFiles(release);
    ExpectDemandLoadKeys(release, installFolder());
  }
  ExpectTrustedPaths(installFolder());
}

TEST_F(UnattendedTest, TheLogListsWhatWasWrittenInUtf8) {
  ASSERT_TRUE(AddDataPayload());
  const std::string logFile = sandbox_.Child("setup log.txt");
  EXPECT_EQ(0u, RunToEnd("/S " + FolderArgument() + " \"/LOG=" + logFile + "\""));
  const std::string log = ReadFileContent(logFile).value_or("");
  ASSERT_EQ("\xEF\xBB\xBF", log.substr(0, 3));
  const std::string text = log.substr(3);
  const TestRelease& release = Release(2014);
  for (const std::string& line : std::vector<std::string>{
           "创建文件夹：" + installFolder(),
           "复制文件：" + dataFolder() + "\\Readme.txt -> " + installFolder() + "\\Readme.txt",
           "写入注册表值：HKEY_LOCAL_MACHINE\\" + ApplicationKey(release, "BX_PlotSweep2014") +
               "\\LOADER = \"" + installFolder() + "\\BX_PlotSweep2013.ARX\"",
           "（原为 \"d:\\tools\"）",
           "退出代码：0",
       }) {
    EXPECT_NE(std::string::npos, text.find(line)) << line << "\nin\n" << text;
  }
}

TEST_F(UnattendedTest, TicksOnlyTheReleasesAskedFor) {
  ASSERT_TRUE(AddDataPayload());
  EXPECT_EQ(0u, RunToEnd("-s " + FolderArgument() + " /r=2014"));
  ExpectDemandLoadKeys(Release(2014), installFolder());
  ExpectSupportFiles(Release(2014));
  ExpectNoDemandLoadKeys(Release(2010));
  ExpectHostUntouched(Release(2010));
}

TEST_F(UnattendedTest, EndsWithTheCodeOfWhatStoppedIt) {
  // No payload: 3.
  EXPECT_EQ(3u, RunToEnd("/S " + FolderArgument()));
  ASSERT_TRUE(AddDataPayload());
  // A release that is not installed, a bad option, a relative folder: 5.
  EXPECT_EQ(5u, RunToEnd("/S /R=2015"));
  EXPECT_EQ(5u, RunToEnd("/X /S"));
  EXPECT_EQ(5u, RunToEnd("/S /D=Brenix"));
  EXPECT_FALSE(PathExists(chosenFolder()));
  // A running AutoCAD: 4.
  const StandInProcess acad(sandbox_.Child("ACAD.EXE"));
  ASSERT_TRUE(WaitUntil([&acad] { return acad.listed(); })) << "no stand-in ACAD.EXE runs";
  EXPECT_EQ(4u, RunToEnd("/S " + FolderArgument()));
  EXPECT_FALSE(PathExists(chosenFolder()));
  for (const TestRelease& release : releases_) ExpectNoDemandLoadKeys(release);
}

TEST_F(UnattendedTest, AFileThatCannotBeCopiedStopsItAndAFailedHostStepIsSaid) {
  ASSERT_TRUE(AddDataPayload());
  ASSERT_TRUE(sandbox_.AddFolder("Brenix") && sandbox_.AddFolder("Brenix\\B-PlotSweep") &&
              WriteFileContent(installFolder() + "\\Readme.txt", "earlier"));
  {
    const ExclusiveLock lock(installFolder() + "\\Readme.txt");
    ASSERT_TRUE(lock.held());
    EXPECT_EQ(2u, RunToEnd("/S " + FolderArgument()));
  }
  for (const TestRelease& release : releases_) ExpectNoDemandLoadKeys(release);

  AddBrokenRelease();
  EXPECT_EQ(1u, RunToEnd("/S " + FolderArgument()));
  ExpectInstalledFiles(installFolder());
}

TEST_F(UnattendedTest, CreatesEveryMissingLevelOfTheFolder) {
  ASSERT_TRUE(AddDataPayload());
  const std::string folder = sandbox_.Child("Tools\\CAD");
  EXPECT_EQ(0u, RunToEnd("/S \"/D=" + folder + "\""));
  ExpectInstalledFiles(folder + "\\B-PlotSweep");
}

// A refused command line still writes the log it asks for, replacing an
// earlier run's, and says why.
TEST_F(UnattendedTest, ARefusalReplacesAnEarlierLogWithItsReason) {
  const std::string logFile = sandbox_.Child("setup.log");
  ASSERT_TRUE(WriteFileContent(logFile,
                               "\xEF\xBB\xBF"
                               "an earlier run\r\n"));
  EXPECT_EQ(5u, RunToEnd("/S /R=2014, \"/LOG=" + logFile + "\""));
  const std::string raw = ReadFileContent(logFile).value_or("");
  EXPECT_EQ(0u, raw.find("\xEF\xBB\xBFSetUp.exe /S /R=2014,")) << raw;
  EXPECT_NE(std::string::npos, raw.find("命令行参数无效：/R=2014,")) << raw;
  EXPECT_EQ("退出代码：5", LastLogLine(logFile));
}

// The copy the offer of administrator rights starts adds its part to the
// log its starter holds open, and leaves the user's steps to the starter.
TEST_F(UnattendedTest, TheElevatedCopyAppendsToTheOpenLogAndDoesTheMachineStepsOnly) {
  ASSERT_TRUE(AddDataPayload());
  const std::string logFile = sandbox_.Child("setup.log");
  const HANDLE starter =
      CreateFileW(Widened(logFile).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, starter);
  const auto write = [starter](const std::string& text) {
    DWORD written = 0;
    return WriteFile(starter, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  };
  EXPECT_TRUE(write("\xEF\xBB\xBFstarter\r\n"));
  const DWORD exitCode =
      RunToEnd("/ELEVATED " + FolderArgument() + " /R=2014 \"/LOG=" + logFile + "\"");
  EXPECT_TRUE(write("starter again\r\n"));
  CloseHandle(starter);

  EXPECT_EQ(0u, exitCode);
  const std::string log = ReadFileContent(logFile).value_or("");
  EXPECT_EQ(0u, log.find("\xEF\xBB\xBFstarter\r\nSetUp.exe /ELEVATED ")) << log;
  EXPECT_NE(std::string::npos, log.find("\r\n退出代码：0\r\nstarter again\r\n")) << log;
  EXPECT_EQ(InstalledNames(), FolderEntries(installFolder()));
  ExpectDemandLoadKeys(Release(2014), installFolder());
  ExpectTrustedPathsUnchanged();
  EXPECT_FALSE(PathExists(settingsFile_.path()));
}

// The dialog ends with the code of what happened, and its log's last line
// says the same.
TEST_F(UnattendedTest, TheDialogEndsWithTheCodeOfWhatHappened) {
  const std::string logFile = sandbox_.Child("dialog.log");
  const std::string arguments = FolderArgument() + " \"/LOG=" + logFile + "\"";
  // No payload: 3, with nothing created.
  ASSERT_NE(nullptr, SetupTest::Start(arguments).hwnd());
  WindowDriver box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(kNoPayloadText, MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(3u, process_->ExitCode());
  EXPECT_EQ("退出代码：3", LastLogLine(logFile));
  EXPECT_FALSE(PathExists(chosenFolder()));

  // A release whose host steps fail: the report, then Cancel: 1.
  ASSERT_TRUE(AddDataPayload());
  AddBrokenRelease();
  ASSERT_NE(nullptr, SetupTest::Start(arguments).hwnd());
  box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(0u, MessageBoxText(box).find("安装没有全部完成：")) << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(DialogResponds());
  ASSERT_TRUE(dialog_.PostClick(IDCANCEL));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(1u, process_->ExitCode());
  EXPECT_EQ("退出代码：1", LastLogLine(logFile));

  // A product file that cannot be copied, and Abort: 2.
  const ExclusiveLock lock(installFolder() + "\\Readme.txt");
  ASSERT_TRUE(lock.held());
  ASSERT_NE(nullptr, SetupTest::Start(arguments).hwnd());
  box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(CopyFailedText(installFolder() + "\\Readme.txt"), MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDABORT));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(2u, process_->ExitCode());
  EXPECT_EQ("退出代码：2", LastLogLine(logFile));
}

// The program's own failures end it with a code of their own, never one
// that names an ordinary outcome: the throw helpers of the library it ships
// with, and abort().
TEST(InternalFailure, EndsTheProgramWithItsOwnExitCode) {
  for (const char* how : {"index", "abort"}) {
    SetupProcess failing(BesideThisProgram("internal_failure.exe"), how);
    ASSERT_TRUE(failing.started()) << how;
    ASSERT_TRUE(failing.WaitForExit()) << how;
    EXPECT_EQ(6u, failing.ExitCode()) << how;
  }
}

TEST_F(UnattendedTest, TheDialogStartsFromTheFolderAndReleasesOnTheCommandLine) {
  process_ =
      std::make_unique<SetupProcess>(distribution_.setupPath(), FolderArgument() + " /R=2010");
  dialog_ = process_->WaitForDialog();
  ASSERT_NE(nullptr, dialog_.hwnd());
  EXPECT_EQ(chosenFolder(), dialog_.Text(IDC_INSTALL_PATH));
  for (const TestRelease& release : releases_) {
    EXPECT_EQ(release.year == 2010, dialog_.Checked(ReleaseBoxId(release.year))) << release.year;
    EXPECT_TRUE(dialog_.Enabled(ReleaseBoxId(release.year))) << release.year;
  }
}

TEST_F(UnattendedTest, ABadArgumentInTheDialogModeIsExplainedThenTheProgramEnds) {
  process_ = std::make_unique<SetupProcess>(distribution_.setupPath(), "/Q");
  const WindowDriver box = process_->WaitForMessageBox();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(kSetupBoxCaption, box.Caption());
  EXPECT_EQ(0u, MessageBoxText(box).find("命令行参数无效：/Q\n\nSetUp.exe [/S"))
      << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(5u, process_->ExitCode());
}

}  // namespace
