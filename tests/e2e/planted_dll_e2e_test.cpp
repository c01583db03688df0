// DLLs planted beside SetUp.exe, as a download folder may hold them, under
// the names of system DLLs that are not known DLLs: the program must take
// none of them, through a whole install and the folder picker.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "e2e/harness/install_fixture.h"
#include "ui/setup/win32/resource.h"

namespace {

// Names a process like SetUp.exe loads (seen with WINEDEBUG=+loaddll) that
// are not known DLLs on Windows, so that the plain search looks beside the
// program first.
const std::vector<std::string> kPlantedNames = {
    "comctl32", "version", "uxtheme",  "dwmapi",  "cryptbase", "propsys", "profapi",
    "msimg32",  "oleacc",  "actxprxy", "userenv", "iphlpapi",  "dnsapi",  "windowscodecs"};
constexpr char kMark[] = ".dll.loaded";

// The planted names as DLL file names, separated by spaces.
std::string PlantedDllNames() {
  std::string names;
  for (const std::string& name : kPlantedNames) names += (names.empty() ? "" : " ") + name + ".dll";
  return names;
}

std::unique_ptr<ScratchKeyTree> AppDefaults(const std::string& program) {
  return std::make_unique<ScratchKeyTree>(HKEY_CURRENT_USER,
                                          "Software\\Wine\\AppDefaults\\" + program);
}

class PlantedDllTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    if (HasFatalFailure()) return;
    const std::string marker = BesideThisProgram("planted_marker.dll");
    for (const std::string& name : kPlantedNames) {
      ASSERT_TRUE(CopyFileW(Widened(marker).c_str(),
                            Widened(distribution_.Child(name + ".dll")).c_str(), FALSE))
          << marker;
    }
    ASSERT_TRUE(CopyFileW(Widened(BesideThisProgram("dll_loader.exe")).c_str(),
                          Widened(distribution_.Child("dll_loader.exe")).c_str(), FALSE));
    // Wine takes a DLL beside a program only when told to prefer native
    // ones: for these two programs and these names only.
    std::vector<std::pair<std::string, std::string>> nativeFirst;
    for (const std::string& name : kPlantedNames) nativeFirst.emplace_back(name, "native,builtin");
    for (const auto& overrides : {&loaderOverrides_, &setupOverrides_}) {
      ASSERT_TRUE((*overrides)->SetValues("DllOverrides", nativeFirst));
    }
  }

  // The planted names that left a mark since the last call; the marks go.
  std::set<std::string> TakeMarks() const {
    std::set<std::string> marked;
    for (const std::string& entry : FolderEntries(distribution_.path())) {
      if (entry.size() <= sizeof(kMark) - 1 ||
          UpperAscii(entry.substr(entry.size() - (sizeof(kMark) - 1))) != UpperAscii(kMark)) {
        continue;
      }
      marked.insert(UpperAscii(entry.substr(0, entry.size() - (sizeof(kMark) - 1))));
      DeleteFileW(Widened(distribution_.Child(entry)).c_str());
    }
    return marked;
  }

  // Runs the small program beside the planted DLLs with `arguments`.
  void RunLoader(const std::string& arguments) const {
    SetupProcess helper(distribution_.Child("dll_loader.exe"), arguments);
    ASSERT_TRUE(helper.started());
    EXPECT_TRUE(helper.WaitForExit(kWindowTimeout));
  }

  // A whole install with a look into the folder picker first; whatever
  // fails, the marks are looked at afterwards.
  void InstallThroughTheFolderPicker() {
    ASSERT_NE(nullptr, Start().hwnd());
    ASSERT_TRUE(dialog_.PostClick(IDC_BROWSE));
    const WindowDriver picker = process_->WaitForMessageBox();
    ASSERT_NE(nullptr, picker.hwnd()) << "the folder picker did not show";
    ASSERT_TRUE(Answer(picker, IDCANCEL));
    ASSERT_TRUE(ClickInstall());
    ASSERT_TRUE(WaitForCompletionView());
    ExpectInstalledFiles(installFolder());
  }

  std::unique_ptr<ScratchKeyTree> loaderOverrides_ = AppDefaults("dll_loader.exe");
  std::unique_ptr<ScratchKeyTree> setupOverrides_ = AppDefaults("SetUp.exe");
};

TEST_F(PlantedDllTest, NoneIsTakenThroughAnInstallAndTheFolderPicker) {
  std::set<std::string> all;
  for (const std::string& name : kPlantedNames) all.insert(UpperAscii(name));
  // A program that loads them by the plain search takes every planted copy:
  // the test can see a planted load.
  RunLoader(PlantedDllNames());
  ASSERT_EQ(all, TakeMarks()) << "planted DLLs are not taken even by the plain search";
  // A program that does what SetUp.exe does the right way should take none;
  // what it takes anyway, Wine pulls in itself (version.dll and uxtheme.dll
  // at the time of writing), and it is not watched.
  RunLoader("--well-behaved");
  std::set<std::string> watched = all;
  for (const std::string& pulled : TakeMarks()) watched.erase(pulled);
  ASSERT_FALSE(watched.empty());

  ASSERT_TRUE(AddDataPayload());
  InstallThroughTheFolderPicker();
  for (const std::string& marked : TakeMarks()) {
    EXPECT_EQ(0u, watched.count(marked)) << marked << ".dll was taken from beside SetUp.exe";
  }
}

}  // namespace
