// SetUp.exe /S: the install of a deployment tool, without any window, with
// an exit code that says how it ended; and the command line's options in
// the dialog.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/install_fixture.h"
#include "support/test_values.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

namespace {

// UTF-8 text in the ANSI code page, as the test's own texts are.
std::string Utf8ToAnsi(const std::string& utf8) {
  const int units =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], units);
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &ansi[0], bytes, nullptr, nullptr);
  return ansi;
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
  const std::string text = Utf8ToAnsi(log.substr(3));
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

  ASSERT_TRUE(sandbox_.AddFile("host.txt", "not a folder"));
  AcadInstallation broken = SampleInstallation(2012);
  broken.location = sandbox_.Child("host.txt");
  ASSERT_TRUE(registry_.AddInstallation(broken));
  EXPECT_EQ(1u, RunToEnd("/S " + FolderArgument()));
  ExpectInstalledFiles(installFolder());
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
  EXPECT_EQ(0u, MessageBoxText(box).find("命令行参数无效：/Q\n\nSetUp.exe [/S]"))
      << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(5u, process_->ExitCode());
}

}  // namespace
