// What stops or holds up an install through SetUp.exe: a missing payload, a
// running AutoCAD, a product file that cannot be copied (Abort, Retry,
// Ignore), and a chosen folder that is not absolute or cannot hold the
// install folder.

#include <memory>

#include "e2e/harness/install_fixture.h"
#include "support/test_values.h"
#include "ui/setup/win32/resource.h"

namespace {

// ---- No payload ------------------------------------------------------------

enum class MissingPayload { kNothing, kPlainFileNamedData };

class MissingPayloadTest : public InstallTest,
                           public ::testing::WithParamInterface<MissingPayload> {};

TEST_P(MissingPayloadTest, ShowsTheMissingDataMessageAndEndsHavingCreatedNothing) {
  if (GetParam() == MissingPayload::kPlainFileNamedData) {
    ASSERT_TRUE(distribution_.AddFile("Data", "not a folder"));
  }
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  const WindowDriver box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(
      "未找到安装所需的Data文件夹 !\n\n可能安装文件下载后没有解压，\n\n请解压后再执行SetUp.exe !",
      MessageBoxText(box));
  // It is found out before the installing view would show.
  EXPECT_FALSE(dialog.Visible(IDC_PROGRESS));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(process_->WaitForExit());

  EXPECT_FALSE(PathExists(chosenFolder()));
  EXPECT_FALSE(PathExists(settingsFile_.path()));
  for (const TestRelease& release : releases_) {
    ExpectNoDemandLoadKeys(release);
    ExpectHostUntouched(release);
  }
  ExpectTrustedPathsUnchanged();
}

INSTANTIATE_TEST_SUITE_P(Each, MissingPayloadTest,
                         ::testing::Values(MissingPayload::kNothing,
                                           MissingPayload::kPlainFileNamedData),
                         [](const ::testing::TestParamInfo<MissingPayload>& test) {
                           return test.param == MissingPayload::kNothing ? "NoDataNoMarker"
                                                                         : "PlainFileNamedData";
                         });

// ---- Running AutoCAD -------------------------------------------------------

TEST_F(InstallTest, ARunningAutoCadIsWarnedAboutOnceAndTheNextClickInstalls) {
  ASSERT_TRUE(AddDataPayload());
  const StandInProcess acad(sandbox_.Child("ACAD.EXE"));
  ASSERT_TRUE(WaitUntil([&acad] { return acad.listed(); })) << "no stand-in ACAD.EXE runs";
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());

  const WindowDriver box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ("请关闭AutoCAD后再进行安装 !", MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(DialogResponds());
  ExpectSettingsView(dialog);
  EXPECT_FALSE(PathExists(chosenFolder()));

  ASSERT_TRUE(acad.listed());
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());
  ExpectInstalledFiles(installFolder());
  ExpectDemandLoadKeys(Release(2014), installFolder());
}

// ---- A product file that cannot be copied ----------------------------------

// Readme.txt of an earlier install lies in the install folder, held open
// without sharing as a running AutoCAD holds its files: copying over it fails.
class CopyFailureTest : public InstallTest {
 protected:
  static constexpr char kEarlierContent[] = "from an earlier install";

  std::string lockedFile() const { return installFolder() + "\\Readme.txt"; }

  void TearDown() override {
    if (otherWindow_) DestroyWindow(otherWindow_);
  }

  // Locks the earlier file, starts the install and returns the copy-failure
  // box; with `fromAnotherWindow`, a window of another program is active when
  // Install is clicked (the user has gone to close AutoCAD, say).
  WindowDriver InstallOverLockedFile(bool fromAnotherWindow = false) {
    EXPECT_TRUE(AddDataPayload());
    EXPECT_TRUE(sandbox_.AddFolder("Brenix") && sandbox_.AddFolder("Brenix\\B-PlotSweep") &&
                WriteFileContent(lockedFile(), kEarlierContent));
    lock_.reset(new ExclusiveLock(lockedFile()));
    EXPECT_TRUE(lock_->held());
    EXPECT_NE(nullptr, Start().hwnd());
    if (!fromAnotherWindow) return ExpectCopyFailure(ClickInstallForMessage());
    ActivateOtherWindow();
    EXPECT_TRUE(dialog_.PostCommand(IDC_INSTALL));
    return ExpectCopyFailure(process_->WaitForMessageBox());
  }

  // A window of this test program, brought to the foreground.
  void ActivateOtherWindow() {
    otherWindow_ = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                   200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, otherWindow_);
    SetForegroundWindow(otherWindow_);
    EXPECT_TRUE(WaitUntil([this] { return GetForegroundWindow() == otherWindow_; }));
  }

  // The copy-failure box's text and buttons checked.
  WindowDriver ExpectCopyFailure(const WindowDriver& box) const {
    EXPECT_EQ(CopyFailedText(lockedFile()), MessageBoxText(box));
    for (int id : {IDABORT, IDRETRY, IDIGNORE}) EXPECT_TRUE(box.Exists(id)) << id;
    EXPECT_FALSE(box.Exists(IDOK));
    return box;
  }

  std::unique_ptr<ExclusiveLock> lock_;
  HWND otherWindow_ = nullptr;
};

TEST_F(CopyFailureTest, AbortEndsTheProgramWithNothingRegistered) {
  const WindowDriver box = InstallOverLockedFile();
  ASSERT_NE(nullptr, box.hwnd());
  ASSERT_TRUE(Answer(box, IDABORT));
  EXPECT_TRUE(process_->WaitForExit());

  lock_->Release();
  EXPECT_EQ(kEarlierContent, ReadFileContent(lockedFile()).value_or("<no file>"));
  for (const TestRelease& release : releases_) {
    ExpectNoDemandLoadKeys(release);
    ExpectHostUntouched(release);
  }
  ExpectTrustedPathsUnchanged();
}

// The box belongs to the setup dialog even when another program's window
// was active: the dialog stays disabled under it, so Install cannot be
// clicked again nor the dialog closed while the install waits.
TEST_F(CopyFailureTest, TheBoxDisablesTheDialogWhileAnotherWindowIsActive) {
  const WindowDriver box = InstallOverLockedFile(true);
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(dialog_.hwnd(), GetWindow(box.hwnd(), GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(dialog_.hwnd()));
  ASSERT_TRUE(Answer(box, IDIGNORE));
  const WindowDriver report = process_->WaitForMessageBox();
  ASSERT_NE(nullptr, report.hwnd());
  EXPECT_EQ(dialog_.hwnd(), GetWindow(report.hwnd(), GW_OWNER));
  ASSERT_TRUE(Answer(report, IDOK));
  EXPECT_TRUE(WaitUntil([this] { return IsWindowEnabled(dialog_.hwnd()) != FALSE; }));
}

TEST_F(CopyFailureTest, RetryAsksAgainWhileTheFileIsLockedAndCopiesItOnceFree) {
  const WindowDriver first = InstallOverLockedFile();
  ASSERT_NE(nullptr, first.hwnd());
  ASSERT_TRUE(Answer(first, IDRETRY));
  const WindowDriver second = ExpectCopyFailure(process_->WaitForMessageBox());
  ASSERT_NE(nullptr, second.hwnd());

  lock_->Release();
  ASSERT_TRUE(Answer(second, IDRETRY));
  ASSERT_TRUE(WaitForCompletionView());
  ExpectInstalledFiles(installFolder());
  ExpectDemandLoadKeys(Release(2014), installFolder());
}

// Ignore leaves the file as it was; the rest of the install is done, and the
// program says which file it left out instead of showing the completion view.
TEST_F(CopyFailureTest, IgnoreLeavesTheFileAsItWasAndTheInstallSaysSo) {
  const WindowDriver box = InstallOverLockedFile();
  ASSERT_NE(nullptr, box.hwnd());
  ASSERT_TRUE(Answer(box, IDIGNORE));
  const WindowDriver report = process_->WaitForMessageBox(kInstallTimeout);
  ASSERT_NE(nullptr, report.hwnd());
  EXPECT_EQ(kSetupBoxCaption, report.Caption());
  EXPECT_EQ("安装没有全部完成：\n\n未复制的产品文件：" + lockedFile() +
                "。\n\n请排除以上问题后重新安装。",
            MessageBoxText(report));
  ASSERT_TRUE(Answer(report, IDOK));
  ExpectSettingsView(dialog_);
  EXPECT_TRUE(dialog_.Enabled(IDC_INSTALL));

  lock_->Release();
  EXPECT_EQ(kEarlierContent, ReadFileContent(lockedFile()).value_or("<no file>"));
  EXPECT_EQ(InstalledNames(), FolderEntries(installFolder()));
  EXPECT_EQ(PayloadContent("BX_PlotSweep2013.ARX"),
            ReadFileContent(installFolder() + "\\BX_PlotSweep2013.ARX").value_or("<no file>"));
  ExpectDemandLoadKeys(Release(2014), installFolder());
  ExpectTrustedPaths(installFolder());
}

// A host folder that is a file: its support files cannot arrive. The rest is
// installed, and the program names the release and the folder.
TEST_F(InstallTest, AHostFolderThatCannotTakeItsFilesIsReported) {
  ASSERT_TRUE(sandbox_.AddFile("host.txt", "not a folder"));
  AcadInstallation broken = SampleInstallation(2012);
  broken.location = sandbox_.Child("host.txt");
  ASSERT_TRUE(registry_.AddInstallation(broken));
  ASSERT_TRUE(AddDataPayload());
  ASSERT_NE(nullptr, Start().hwnd());

  const WindowDriver report = ClickInstallForMessage();
  ASSERT_NE(nullptr, report.hwnd());
  EXPECT_EQ("安装没有全部完成：\n\nAutoCAD 2012 的字体、库和打印驱动未能全部复制到 " +
                broken.location + "（找不到文件或路径，错误 3）。\n\n请排除以上问题后重新安装。",
            MessageBoxText(report));
  ASSERT_TRUE(Answer(report, IDOK));
  ExpectSettingsView(dialog_);
  EXPECT_TRUE(dialog_.Enabled(IDC_INSTALL));
  ExpectInstalledFiles(installFolder());
  for (const TestRelease& release : releases_) ExpectSupportFiles(release);
  EXPECT_EQ("not a folder", ReadFileContent(broken.location).value_or("<no file>"));
}

// ---- A chosen folder that is not absolute or cannot hold the install folder -

enum class InvalidFolder { kEmpty, kTooLong, kRelative };

class InvalidFolderTest : public InstallTest, public ::testing::WithParamInterface<InvalidFolder> {
 protected:
  // Too long: 248 characters, so that with "\B-PlotSweep" it needs 261 bytes.
  // Relative: it would lie below SetUp.exe's folder, the program's current one.
  std::string Typed() const {
    if (GetParam() == InvalidFolder::kEmpty) return "";
    if (GetParam() == InvalidFolder::kRelative) return "RelBrenix";
    const std::string folder = sandbox_.Child("x");
    return folder + std::string(248 - folder.size(), 'x');
  }
};

TEST_P(InvalidFolderTest, IsRefusedWithAMessageAndNothingCreatedAndAValidOneInstallsAfter) {
  ASSERT_TRUE(AddDataPayload());
  // An empty folder would put B-PlotSweep at the root of SetUp.exe's drive.
  const std::string rootProductFolder = distribution_.path().substr(0, 3) + "B-PlotSweep";
  ASSERT_FALSE(PathExists(rootProductFolder)) << "left over from an earlier run?";
  const std::set<std::string> sandboxBefore = FolderEntries(sandbox_.path());
  const std::set<std::string> distributionBefore = FolderEntries(distribution_.path());
  const WindowDriver dialog = Start(Typed());
  ASSERT_NE(nullptr, dialog.hwnd());

  const WindowDriver box = ClickInstallForMessage();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ("安装路径无效 !\n\n请选择一个有效的安装目录（路径不能为空，也不能过长）。",
            MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(DialogResponds());
  ExpectSettingsView(dialog);
  EXPECT_EQ(Typed(), dialog.Text(IDC_INSTALL_PATH));
  EXPECT_EQ(sandboxBefore, FolderEntries(sandbox_.path()));
  EXPECT_EQ(distributionBefore, FolderEntries(distribution_.path()));
  EXPECT_FALSE(PathExists(rootProductFolder));
  for (const TestRelease& release : releases_) ExpectNoDemandLoadKeys(release);
  ExpectTrustedPathsUnchanged();

  ASSERT_TRUE(dialog.SetText(IDC_INSTALL_PATH, chosenFolder()));
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());
  ExpectInstalledFiles(installFolder());
}

std::string InvalidFolderName(const ::testing::TestParamInfo<InvalidFolder>& info) {
  const char* const kNames[] = {"Empty", "TooLong", "Relative"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Each, InvalidFolderTest,
                         ::testing::Values(InvalidFolder::kEmpty, InvalidFolder::kTooLong,
                                           InvalidFolder::kRelative),
                         InvalidFolderName);

}  // namespace
