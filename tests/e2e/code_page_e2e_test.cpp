// SetUp.exe under the ANSI code page of a Western (1252), a Japanese (932)
// and a Simplified Chinese (936) Windows: its Chinese texts read back whole
// through the wide functions, and folders and profile names outside the
// code page are installed, registered and logged exactly. scripts/test runs
// this suite in a prefix of each code page.

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>

#include "e2e/harness/install_fixture.h"
#include "support/table_rows.h"
#include "support/test_values.h"
#include "ui/picker/win32/picker_ids.h"
#include "ui/setup/win32/resource.h"

namespace {

// A folder outside code pages 1252 and 932, of which only the first level
// exists before the program runs.
constexpr char kChineseRoot[] = "C:\\插件";
constexpr char kChineseFolder[] = "C:\\插件\\工具";

// The code page the prefix was made for (scripts/wine-env); 0 when unknown.
UINT PrefixCodePage() {
  constexpr DWORD kCapacity = 8;
  wchar_t text[kCapacity] = L"";
  const DWORD length = GetEnvironmentVariableW(L"SETUP_CODE_PAGE", text, kCapacity);
  return length > 0 && length < kCapacity ? std::wcstoul(text, nullptr, 10) : 0;
}

// Everything below reads the same whatever the code page only if it truly
// runs under the one its prefix was made for.
TEST(CodePage, TheProgramsRunUnderTheCodePageOfTheirPrefix) {
  if (PrefixCodePage() == 0) GTEST_SKIP() << "SETUP_CODE_PAGE is not set";
  EXPECT_EQ(PrefixCodePage(), GetACP());
}

// A text of the program's windows as the 936 run reads it.
struct ShownText {
  const char* name;
  int id;  // 0: the dialog's caption
  const char* text;
};

const ShownText kSettingsViewTexts[] = {
    {"Caption", 0, "B-批打印软件安装"},
    {"Title", IDC_TITLE, "批打印软件 V2025.03.01"},
    {"Bitness", IDC_BITNESS, kProgramBitness == 64 ? "( 64位 AutoCAD版 )" : "( 32位 AutoCAD版 )"},
    {"ComponentsLabel", IDC_COMPONENTS_LABEL, "请选择安装组件："},
    {"PathLabel", IDC_PATH_LABEL, "请选择安装路径："},
    {"PathBox", IDC_INSTALL_PATH, kChineseFolder},
    {"Install", IDC_INSTALL, "安  装"},
    {"Cancel", IDCANCEL, "取  消"},
    {"Browse", IDC_BROWSE, "浏览..."},
    {"Release2014", IDC_ACAD2014, "For AutoCAD2014"},
};

const ShownText kCompletionViewTexts[] = {
    {"Finished", IDOK, "安装完成"},
    {"CompletionText", IDC_COMPLETION_TEXT, "安装完成！重启CAD，CAD菜单尾会有以下子菜单："},
};

std::string ShownBy(const WindowDriver& window, int id) {
  return id == 0 ? window.Caption() : window.Text(id);
}

std::string FolderArgument(const std::string& folder) { return "\"/D=" + folder + "\""; }

class CodePageTest : public SetupTest {
 protected:
  ScratchFolder chineseRoot_{kChineseRoot};
};

TEST_F(CodePageTest, EveryTextOfTheSettingsViewAndAMessageReadsWhole) {
  ASSERT_TRUE(registry_.AddInstallation(SampleInstallation(2014)));
  ASSERT_NE(nullptr, Start(FolderArgument(kChineseFolder)).hwnd());
  for (const ShownText& shown : kSettingsViewTexts) {
    EXPECT_EQ(shown.text, ShownBy(dialog_, shown.id)) << shown.name;
  }
  // No payload: the program says so, and ends on OK.
  ASSERT_TRUE(dialog_.PostClick(IDC_INSTALL));
  const WindowDriver box = process_->WaitForMessageBox();
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(kSetupBoxCaption, box.Caption());
  EXPECT_EQ(kNoPayloadText, MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(process_->WaitForExit());
}

// The picker's path box takes a typed folder outside the code page whole,
// its question names it whole, and the setup dialog takes it whole.
TEST_F(CodePageTest, ThePickerTakesAFolderOutsideTheCodePageWhole) {
  ASSERT_NE(nullptr, Start("\"/D=C:\\windows\"").hwnd());
  ASSERT_TRUE(dialog_.PostClick(IDC_BROWSE));
  const WindowDriver picker = process_->WaitForMessageBox();
  ASSERT_NE(nullptr, picker.hwnd()) << "the picker did not show";
  EXPECT_EQ("请选择安装目录：", picker.Caption());

  ASSERT_TRUE(picker.SetText(ui::kPickerPathEditId, kChineseFolder));
  EXPECT_EQ(kChineseFolder, picker.Text(ui::kPickerPathEditId));
  ASSERT_TRUE(picker.PostClick(ui::kPickerOkId));
  const WindowDriver question = process_->WaitForDialogBesides({picker.hwnd()});
  ASSERT_NE(nullptr, question.hwnd());
  EXPECT_EQ("The folder:\n\n" + std::string(kChineseFolder) +
                "\n\ndoes not exist. Do you want the folder to be created?",
            MessageBoxText(question));
  ASSERT_TRUE(Answer(question, IDYES));

  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(picker.hwnd()); }));
  EXPECT_TRUE(PathExists(kChineseFolder));
  EXPECT_TRUE(WaitUntil([&] { return dialog_.Text(IDC_INSTALL_PATH) == kChineseFolder; }))
      << dialog_.Text(IDC_INSTALL_PATH);
}

// An install into kChineseFolder with AutoCAD 2012 in `hostFolder` and a
// profile `profile`, run in the prefix of `codePage` only.
struct CodePageInstallRow {
  const char* name;
  UINT codePage;
  const char* hostFolder;
  const char* profile;
  PRINTS_ROW_NAME(CodePageInstallRow)
};

constexpr char kHangulHost[] = "C:\\Program Files\\Autodesk\\AutoCAD 2012 - 한국어";

class CodePageInstallTest : public InstallTest,
                            public ::testing::WithParamInterface<CodePageInstallRow> {
 protected:
  void SetUp() override {
    if (GetACP() != GetParam().codePage) {
      GTEST_SKIP() << "for code page " << GetParam().codePage << ", not " << GetACP();
    }
    InstallTest::SetUp();
    if (HasFatalFailure()) return;
    host_ = std::make_unique<ScratchFolder>(GetParam().hostFolder);
    ASSERT_TRUE(AddHostContents(host_->path()));
    release_.installation.location = host_->path();
    ASSERT_TRUE(registry_.AddInstallation(release_.installation));
    ASSERT_TRUE(registry_.AddProfile(release_.installation.releaseKey,
                                     release_.installation.productKey, GetParam().profile));
  }

  std::string folder() const { return std::string(kChineseFolder) + "\\B-PlotSweep"; }
  std::string profileKey() const { return VariablesKey({2012, GetParam().profile, std::nullopt}); }

  ScratchFolder chineseRoot_{kChineseRoot};
  std::unique_ptr<ScratchFolder> host_;
  TestRelease release_{2012, SampleInstallation(2012), 2010, 2010};
};

TEST_P(CodePageInstallTest, InstallsRegistersAndLogsThePathsExactly) {
  ASSERT_TRUE(AddDataPayload());
  const std::string logFile = sandbox_.Child("setup.log");
  const std::string arguments =
      FolderArgument(kChineseFolder) + " /R=2012 \"/LOG=" + logFile + "\"";
  ASSERT_NE(nullptr, SetupTest::Start(arguments).hwnd());
  EXPECT_EQ(kChineseFolder, dialog_.Text(IDC_INSTALL_PATH));
  ASSERT_TRUE(ClickInstall());
  ASSERT_TRUE(WaitForCompletionView());
  for (const ShownText& shown : kCompletionViewTexts) {
    EXPECT_EQ(shown.text, ShownBy(dialog_, shown.id)) << shown.name;
  }
  EXPECT_EQ(folder(), dialog_.Text(IDC_INSTALL_PATH));
  ASSERT_TRUE(dialog_.PostClick(IDOK));
  ASSERT_TRUE(process_->WaitForExit());
  EXPECT_EQ(0u, process_->ExitCode());

  ExpectInstalledFiles(folder());
  ExpectSupportFiles(release_);
  ExpectDemandLoadKeys(release_, folder());
  EXPECT_EQ(SzValue(folder()), ReadStoredValue(HKEY_CURRENT_USER, profileKey(), "TRUSTEDPATHS"));

  const std::string log = ReadFileContent(logFile).value_or("");
  for (const std::string& line : {
           "创建文件夹：" + std::string(kChineseFolder),
           "复制文件：" + dataFolder() + "\\ACAD2010P.dll -> " + host_->path() + "\\ACAD2010P.dll",
           "写入注册表值：HKEY_LOCAL_MACHINE\\" + ApplicationKey(release_, "BX_PlotSweep2012") +
               "\\LOADER = \"" + folder() + "\\BX_PlotSweep2010.ARX\"",
           "写入注册表值：HKEY_LOCAL_MACHINE\\" + ApplicationKey(release_, "Brenix2012DLLP") +
               "\\LOADER = \"" + host_->path() + "\\ACAD2010P.dll\"",
           "\\Profiles\\" + std::string(GetParam().profile) + "\\Variables\\TRUSTEDPATHS = \"" +
               folder() + "\"",
       }) {
    EXPECT_NE(std::string::npos, log.find(line)) << line << "\nin\n" << log;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CodePage, CodePageInstallTest,
    ::testing::Values(
        CodePageInstallRow{"Cp1252HangulHostFolder", 1252, kHangulHost, "<<Unnamed Profile>>"},
        CodePageInstallRow{"Cp932HangulHostFolder", 932, kHangulHost, "<<Unnamed Profile>>"},
        CodePageInstallRow{"Cp936HangulProfile", 936, "C:\\Program Files\\Autodesk\\AutoCAD 2012",
                           "설계 도면"}),
    RowName());

}  // namespace
