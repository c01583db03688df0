// A whole install through SetUp.exe with releases 2008, 2010 and 2014
// discovered (and 2020 for the 64-bit program): the product in the chosen folder's B-PlotSweep
// sub-folder, the settings file in the user's application data, fonts, libraries and the plot
// driver in the hosts, the demand-load keys and trusted paths, and the completion view whose button
// ends the program.

#include "e2e/harness/install_fixture.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

TEST_F(InstallTest, CopiesTheProductIntoTheInstallFolderAndTheSettingsFileIntoAppData) {
  ASSERT_TRUE(InstallWithStandardSettings());
  ExpectInstalledFiles(installFolder());
}

TEST_F(InstallTest, GivesEveryHostFontsAndLibrariesAndRelease2008TheDriver) {
  ASSERT_TRUE(InstallWithStandardSettings());
  for (const TestRelease& release : releases_) ExpectSupportFiles(release);
}

TEST_F(InstallTest, RegistersEveryTickedReleaseAndTrustsTheFolderInEveryProfile) {
  ASSERT_TRUE(InstallWithStandardSettings());
  for (const TestRelease& release : releases_) ExpectDemandLoadKeys(release, installFolder());
  ExpectTrustedPaths(installFolder());
}

// A release found only below Wow6432Node is registered under the key it was
// found under, never under the same names in the program's own view.
TEST_F(InstallTest, ARelease2008FoundUnderWow6432NodeIsRegisteredThere) {
  ASSERT_TRUE(InstallWithStandardSettings());
  const AcadInstallation& found = Release(2008).installation;
  ASSERT_EQ(std::string(kAcadWow64BaseKey), found.baseKey);
  ExpectDemandLoadKeys(Release(2008), installFolder());
  EXPECT_FALSE(RegistryKeyExists(
      HKEY_LOCAL_MACHINE,
      std::string(kAcadBaseKey) + "\\" + found.releaseKey + "\\" + found.productKey));
}

// Enter does what the visible default does: Install in the settings view,
// the completion button in the completion view.
TEST_F(InstallTest, EnterAfterTypingAFolderInstallsAndEnterAtTheEndCloses) {
  ASSERT_TRUE(AddDataPayload());
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());
  ASSERT_TRUE(dialog.PostKey(VK_RETURN));
  ASSERT_TRUE(WaitForCompletionView());
  ExpectInstalledFiles(installFolder());
  ExpectDemandLoadKeys(Release(2014), installFolder());

  ASSERT_TRUE(dialog.PostKey(VK_RETURN));
  EXPECT_TRUE(process_->WaitForExit());
}

TEST_F(InstallTest, TrustedPathsOutsideTheCodePageStayIntactWithTheFolderAppended) {
  // Hangul and "ß" have no place in code page 936.
  const std::string stored = "D:\\한글\\plugins;E:\\Straße";
  const std::string upperStored = "D:\\한글\\PLUGINS;E:\\STRAßE";
  const std::string variables = VariablesKey(profiles_[1]);
  ASSERT_TRUE(WriteStringValue(HKEY_CURRENT_USER, variables, "TRUSTEDPATHS", stored));
  ASSERT_TRUE(InstallWithStandardSettings());
  EXPECT_EQ(SzValue(upperStored + ";" + UpperAscii(installFolder())),
            ReadStoredValue(HKEY_CURRENT_USER, variables, "TRUSTEDPATHS"));
}

TEST_F(InstallTest, AnUntickedReleaseIsNeitherRegisteredNorServed) {
  ASSERT_TRUE(AddDataPayload());
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());
  ASSERT_TRUE(dialog.Click(IDC_ACAD2010));
  ASSERT_FALSE(dialog.Checked(IDC_ACAD2010));
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());

  ExpectNoDemandLoadKeys(Release(2010));
  ExpectHostUntouched(Release(2010));
  for (int year : {2008, 2014}) {
    ExpectDemandLoadKeys(Release(year), installFolder());
    ExpectSupportFiles(Release(year));
  }
  ExpectTrustedPaths(installFolder());  // every profile, whatever was ticked
}

TEST_F(InstallTest, EndsInTheShortenedCompletionViewWhoseButtonEndsTheProgram) {
  ASSERT_TRUE(AddDataPayload());
  const WindowDriver dialog = Start();
  ASSERT_NE(nullptr, dialog.hwnd());
  const RECT before = WindowRect(dialog.hwnd());
  // The strip from the completion button's bottom down to Cancel's is cut away.
  const LONG cut =
      WindowRect(dialog.Control(IDCANCEL)).bottom - WindowRect(dialog.Control(IDOK)).bottom;
  ASSERT_GT(cut, 0);

  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());
  EXPECT_TRUE(WaitUntil([&] { return Height(WindowRect(dialog.hwnd())) != Height(before); }));
  const RECT after = WindowRect(dialog.hwnd());
  EXPECT_EQ(cut, Height(before) - Height(after));
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);
  EXPECT_EQ(before.right, after.right);

  for (int id : {IDC_COMPLETION_TEXT, IDC_COMPLETION_PICTURE, IDOK, IDC_TITLE, IDC_BITNESS}) {
    EXPECT_TRUE(dialog.Visible(id)) << id;
  }
  for (int id : {IDC_COMPONENTS_LABEL, IDC_PROGRESS, IDC_INSTALL, IDCANCEL, IDC_PATH_LABEL,
                 IDC_INSTALL_PATH, IDC_BROWSE}) {
    EXPECT_FALSE(dialog.Visible(id)) << id;
  }
  for (int id : kReleaseBoxIds) EXPECT_FALSE(dialog.Visible(id)) << id;
  EXPECT_EQ("安装完成", dialog.Text(IDOK));
  EXPECT_EQ(installFolder(), dialog.Text(IDC_INSTALL_PATH));

  ASSERT_TRUE(dialog.PostClick(IDOK));
  EXPECT_TRUE(process_->WaitForExit());
}

TEST_F(InstallTest, FlatLayoutInstallsEveryFileBesideSetUpButItselfAndTheHostFiles) {
  ASSERT_TRUE(AddFlatPayload());
  ASSERT_FALSE(PathExists(dataFolder()));
  ASSERT_NE(nullptr, Start().hwnd());
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());

  ExpectInstalledFiles(installFolder());  // the marker BX_PlotSweep2010.ARX among them
  ExpectSupportFiles(Release(2008));
}

// The folder typed into the path edit, relative to the sandbox, and the
// install folder it leads to.
struct ChosenFolderCase {
  const char* name;
  const char* typed;
  const char* installFolder;
};

void PrintTo(const ChosenFolderCase& chosen, std::ostream* out) { *out << chosen.typed; }

class ChosenFolderTest : public InstallTest,
                         public ::testing::WithParamInterface<ChosenFolderCase> {};

TEST_P(ChosenFolderTest, InstallsIntoTheProductSubFolderOfTheChosenFolder) {
  ASSERT_TRUE(AddDataPayload());
  ASSERT_NE(nullptr, Start(sandbox_.Child(GetParam().typed)).hwnd());
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());

  const std::string expected = sandbox_.Child(GetParam().installFolder);
  EXPECT_EQ(expected, dialog_.Text(IDC_INSTALL_PATH));
  ExpectInstalledFiles(expected);
  ExpectDemandLoadKeys(Release(2010), expected);
  ExpectTrustedPaths(expected);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, ChosenFolderTest,
    ::testing::Values(ChosenFolderCase{"TrailingBackslash", "Tools\\", "Tools\\B-PlotSweep"},
                      ChosenFolderCase{"EndingInTheProductFolder", "B-PlotSweep",
                                       "B-PlotSweep\\B-PlotSweep"}),
    [](const ::testing::TestParamInfo<ChosenFolderCase>& test) { return test.param.name; });

}  // namespace
