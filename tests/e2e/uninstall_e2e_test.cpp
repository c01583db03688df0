// The way back out: Programs and Features' entry after an install, the
// uninstall a deployment tool runs from it and the one a user confirms, and
// an install into another folder that takes the installation over.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "e2e/harness/install_fixture.h"
#include "support/test_values.h"

namespace {

constexpr DWORD kUninstallTimeout = 60000;

// Every key and value below `path`, as "key|value" -> data (a text value's
// as UTF-8).
void CollectKeys(HKEY root, const std::string& path, std::map<std::string, std::string>* into) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, Widened(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  (*into)[path] = "";
  constexpr DWORD kNameCapacity = 256;
  wchar_t name[kNameCapacity];
  wchar_t data[2048];
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = kNameCapacity, dataSize = sizeof(data), type = 0;
    if (RegEnumValueW(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS) {
      break;
    }
    const std::string valueName = Narrowed(std::wstring(name, nameSize));
    std::string text = type == REG_SZ ? Narrowed(std::wstring(data, dataSize / sizeof(wchar_t)))
                                      : std::string(reinterpret_cast<const char*>(data), dataSize);
    // The install leaves its trusted paths upper-cased, and a value it
    // created empty.
    if (valueName == "TRUSTEDPATHS") text = UpperAscii(text);
    if (valueName != "TRUSTEDPATHS" || text.size() > 1) {
      (*into)[path + "|" + valueName] = std::to_string(type) + ":" + text;
    }
  }
  std::vector<std::string> subKeys;
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = kNameCapacity;
    if (RegEnumKeyExW(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subKeys.push_back(path + "\\" + Narrowed(std::wstring(name, nameSize)));
  }
  RegCloseKey(key);
  for (const std::string& subKey : subKeys) CollectKeys(root, subKey, into);
}

// Every file below `folder` with its content, every folder as itself.
void CollectFiles(const std::string& folder, std::map<std::string, std::string>* into) {
  for (const std::string& name : FolderEntries(folder)) {
    const std::string path = folder + "\\" + name;
    const auto content = ReadFileContent(path);
    (*into)[path] = content.value_or("<folder>");
    if (!content) CollectFiles(path, into);
  }
}

class UninstallTest : public InstallTest {
 protected:
  // What an install may touch: AutoCAD's keys, the entry, the sandbox (the
  // chosen folder and the host folders).
  std::map<std::string, std::string> Machine() const {
    std::map<std::string, std::string> machine;
    for (const char* key :
         {kAcadBaseKey, kAcadWow64BaseKey, kProductEntryKey, kProductEntryWow64Key}) {
      CollectKeys(HKEY_LOCAL_MACHINE, key, &machine);
    }
    CollectKeys(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD", &machine);
    CollectKeys(HKEY_CURRENT_USER, kProductEntryKey, &machine);
    CollectFiles(sandbox_.path(), &machine);
    return machine;
  }

  std::string Entry(const char* name) const {
    return StoredText(ReadStoredValue(HKEY_LOCAL_MACHINE, kProductEntryKey, name));
  }

  DWORD Install(const std::string& chosen) {
    SetupProcess setup(distribution_.setupPath(), "/S \"/D=" + chosen + "\"");
    EXPECT_TRUE(setup.WaitForExit(kInstallTimeout));
    return setup.ExitCode();
  }

  // Runs a command line as it stands, as a deployment tool does; its exit
  // code, after checking that no box of the program showed.
  static DWORD RunAsItStands(const std::string& commandLine) {
    std::wstring wideCommandLine = Widened(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &wideCommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      ADD_FAILURE() << "cannot run " << commandLine;
      return 0xFFFFFFFF;
    }
    bool boxShown = false;
    const bool ended = WaitUntil(
        [&] {
          boxShown = boxShown || WaitForBoxOfAnyProcess(kSetupBoxCaption, 0).hwnd() != nullptr;
          return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        },
        kUninstallTimeout);
    EXPECT_TRUE(ended) << commandLine;
    EXPECT_FALSE(boxShown) << commandLine;
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }
};

TEST_F(UninstallTest, TheEntryHoldsWhatADeploymentToolReads) {
  ASSERT_TRUE(AddDataPayload());
  ASSERT_EQ(0u, Install(chosenFolder()));
  const std::string uninstaller = installFolder() + "\\Uninstall.exe";
  EXPECT_EQ("2025.03.01", Entry("DisplayVersion"));
  EXPECT_EQ("Brenix", Entry("Publisher"));
  EXPECT_EQ(installFolder(), Entry("InstallLocation"));
  EXPECT_EQ("\"" + uninstaller + "\" /U", Entry("UninstallString"));
  EXPECT_EQ("\"" + uninstaller + "\" /U /S", Entry("QuietUninstallString"));
  EXPECT_EQ(uninstaller, Entry("DisplayIcon"));
  EXPECT_EQ(8u, Entry("InstallDate").size());
  EXPECT_NE(std::string::npos, Entry("DisplayName").find("V2025.03.01"));
  for (const char* flag : {"NoModify", "NoRepair"}) {
    EXPECT_EQ(DwordValue(1), ReadStoredValue(HKEY_LOCAL_MACHINE, kProductEntryKey, flag)) << flag;
  }
  EXPECT_EQ(REG_DWORD, ReadStoredValue(HKEY_LOCAL_MACHINE, kProductEntryKey, "EstimatedSize").type);
  EXPECT_TRUE(PathExists(uninstaller));
  EXPECT_TRUE(PathExists(installFolder() + "\\InstallRecord.txt"));
}

TEST_F(UninstallTest, TheQuietUninstallStringLeavesTheMachineAsItWas) {
  ASSERT_TRUE(AddDataPayload());
  const auto before = Machine();
  ASSERT_EQ(0u, Install(chosenFolder()));
  ASSERT_NE(before, Machine());
  EXPECT_EQ(0u, RunAsItStands(Entry("QuietUninstallString")));
  EXPECT_EQ(before, Machine());
}

// A key repointed by hand and a file the user added stay, and are said.
TEST_F(UninstallTest, WhatIsNotTheProductsStays) {
  ASSERT_TRUE(AddDataPayload());
  ASSERT_EQ(0u, Install(chosenFolder()));
  const std::string native = ApplicationKey(Release(2010), "BX_PlotSweep2010");
  const std::string elsewhere = sandbox_.Child("Other\\BX_PlotSweep2010.ARX");
  ASSERT_TRUE(WriteStringValue(HKEY_LOCAL_MACHINE, native, "LOADER", elsewhere));
  ASSERT_TRUE(WriteFileContent(installFolder() + "\\notes.txt", "mine"));
  const std::string logFile = sandbox_.Child("uninstall.log");
  EXPECT_EQ(1u, RunAsItStands(Entry("QuietUninstallString") + " \"/LOG=" + logFile + "\""));
  EXPECT_EQ(std::set<std::string>{"notes.txt"}, FolderEntries(installFolder()));
  EXPECT_EQ(SzValue(elsewhere), ReadStoredValue(HKEY_LOCAL_MACHINE, native, "LOADER"));
  ExpectNoDemandLoadKeys(Release(2014));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kProductEntryKey));
  const std::string kept = installFolder() + " 中有不是本软件安装的文件，已保留。";
  EXPECT_NE(std::string::npos, ReadFileContent(logFile).value_or("").find(kept));
}

// Programs and Features' button: the confirmation, then one message.
TEST_F(UninstallTest, TheUserConfirmsOrNothingChanges) {
  ASSERT_TRUE(AddDataPayload());
  const auto before = Machine();
  ASSERT_EQ(0u, Install(chosenFolder()));
  const std::string uninstaller = installFolder() + "\\Uninstall.exe";
  ASSERT_EQ("\"" + uninstaller + "\" /U", Entry("UninstallString"));
  const std::string logFile = distribution_.Child("uninstall.log");  // outside what is compared
  for (const int answer : {IDNO, IDYES}) {
    SetupProcess uninstall(uninstaller, "/U \"/LOG=" + logFile + "\"");
    const WindowDriver question = WaitForBoxOfAnyProcess(kSetupBoxCaption);
    ASSERT_NE(nullptr, question.hwnd());
    EXPECT_EQ(0u, MessageBoxText(question).find("确定要卸载批打印软件吗？\n\n安装目录：" +
                                                installFolder()))
        << MessageBoxText(question);
    EXPECT_TRUE(Answer(question, answer));
    if (answer == IDNO) {
      ASSERT_TRUE(uninstall.WaitForExit(kUninstallTimeout));
      EXPECT_EQ(2u, uninstall.ExitCode());
      ExpectInstalledFiles(installFolder());
      ExpectDemandLoadKeys(Release(2014), installFolder());
      continue;
    }
    const WindowDriver done = WaitForBoxOfAnyProcess(kSetupBoxCaption);
    ASSERT_NE(nullptr, done.hwnd());
    EXPECT_EQ("批打印软件已卸载。", MessageBoxText(done)) << ReadFileContent(logFile).value_or("");
    EXPECT_TRUE(Answer(done, IDOK));
    ASSERT_TRUE(uninstall.WaitForExit(kUninstallTimeout));
    EXPECT_EQ(0u, uninstall.ExitCode());
  }
  EXPECT_EQ(before, Machine());
}

TEST_F(UninstallTest, AnInstallElsewhereTakesOverAndLeavesNoOldFolderTrusted) {
  ASSERT_TRUE(AddDataPayload());
  const std::string moved = sandbox_.Child("Moved");
  ASSERT_EQ(0u, Install(chosenFolder()));
  ASSERT_EQ(0u, Install(moved));
  EXPECT_FALSE(PathExists(chosenFolder()));
  ExpectInstalledFiles(moved + "\\B-PlotSweep");
  for (const TestProfile& profile : profiles_) {
    const std::string trusted = UpperAscii(
        StoredText(ReadStoredValue(HKEY_CURRENT_USER, VariablesKey(profile), "TRUSTEDPATHS")));
    EXPECT_EQ(std::string::npos, trusted.find(UpperAscii(installFolder()))) << profile.name;
    EXPECT_NE(std::string::npos, trusted.find(UpperAscii(moved))) << profile.name;
  }
  for (const TestRelease& release : releases_)
    ExpectDemandLoadKeys(release, moved + "\\B-PlotSweep");
  EXPECT_EQ(moved + "\\B-PlotSweep", Entry("InstallLocation"));
}

// What the 32-bit program installed, in its registry view, the 64-bit
// program's /U removes through the entry it finds in that view.
TEST_F(UninstallTest, TheOtherProgramRemovesWhatOneInstalled) {
  if (kProgramBitness != 64) GTEST_SKIP() << "needs the 64-bit prefix";
  if (Setup32ExePath().empty()) GTEST_SKIP() << "this machine cannot run the 32-bit program";
  ScratchDistribution distribution32(Setup32ExePath());
  ASSERT_TRUE(distribution32.ready());
  ASSERT_TRUE(AddDataPayload());
  ASSERT_TRUE(distribution32.AddFolder("Data"));
  for (const std::string& name : FolderEntries(dataFolder())) {
    const auto content = ReadFileContent(dataFolder() + "\\" + name);
    if (content) {
      ASSERT_TRUE(distribution32.AddFile("Data\\" + name, *content)) << name;
    }
  }
  const auto before = Machine();
  SetupProcess install32(distribution32.setupPath(), "/S \"/D=" + chosenFolder() + "\"");
  ASSERT_TRUE(install32.WaitForExit(kInstallTimeout));
  ASSERT_EQ(0u, install32.ExitCode());
  ExpectDemandLoadKeys(Release(2008), installFolder());
  EXPECT_EQ(SzValue(installFolder()),
            ReadStoredValue(HKEY_LOCAL_MACHINE, kProductEntryWow64Key, "InstallLocation"));
  EXPECT_EQ(0u, RunAsItStands("\"" + distribution_.setupPath() + "\" /U /S"));
  EXPECT_EQ(before, Machine());
}

}  // namespace
