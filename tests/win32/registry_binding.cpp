// The registry contract against Win32Registry, on a scratch key of its own
// below HKEY_CURRENT_USER\Software\SetupContractTests. Hive files are keys
// below it saved by RegSaveKeyW into the temporary folder, with the restore
// and backup privileges enabled as the program enables them.

#include <windows.h>

#include <vector>

#include "contract/registry_contract.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "win32/running_under_wine.h"

namespace {

constexpr char kScratchParent[] = "Software\\SetupContractTests";

class Win32RegistryUnderTest : public RegistryUnderTest {
 public:
  Win32RegistryUnderTest() {
    static unsigned serial = 0;
    m_scratchPath = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) +
                    "-" + std::to_string(GetTickCount()) + "-" + std::to_string(++serial);
    win32::Win32Processes().EnableHivePrivileges();
  }
  // Removes the parents too once no other run's scratch key is left in them.
  ~Win32RegistryUnderTest() override {
    for (const platform::RegKey root : {platform::kHKeyCurrentUser, platform::kHKeyLocalMachine32,
                                        platform::kHKeyLocalMachine64}) {
      m_registry.DeleteKey(root, kScratchParent);
    }
    for (const std::wstring& file : m_hiveFiles) {
      for (const wchar_t* suffix : {L"", L".LOG1", L".LOG2"}) DeleteFileW((file + suffix).c_str());
    }
  }
  platform::RegistryPort& Port() override { return m_registry; }
  std::string ScratchPath() const override { return m_scratchPath; }
  bool SeparateViews() const override {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
  }
  std::string NewHiveFile() override {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return "";
    const std::string number = std::to_string(m_hiveFiles.size() + 1);
    const std::string leaf = m_scratchPath.substr(m_scratchPath.rfind('\\') + 1);
    const std::wstring file = folder + win32::Wide("setup-contract-" + leaf + "-" + number);
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, win32::Wide(m_scratchPath + "\\hive" + number).c_str(),
                      &key) != ERROR_SUCCESS) {
      return "";
    }
    m_hiveFiles.push_back(file);  // a failed save may leave an empty file
    const LONG saved = RegSaveKeyW(key, file.c_str(), nullptr);
    RegCloseKey(key);
    return saved == ERROR_SUCCESS ? win32::Utf8(file) : "";
  }
  // Wine (8.0) keeps a hive in its own text format ("WINE REGISTRY Version
  // 2"), which its RegSaveKeyW writes (over an existing file too) and its
  // RegLoadKeyW reads back. Without the backup privilege RegSaveKeyW fails,
  // without the restore privilege RegLoadKeyW does, with
  // ERROR_PRIVILEGE_NOT_HELD (1314); its administrator holds both. A missing
  // file fails with 2, a taken name with 183 as on Windows, and so does
  // RegUnLoadKeyW of a name not there (2) or while the hive's root key is
  // open (5). But RegUnLoadKeyW drops the keys without writing them to the
  // file, goes ahead while a key below the root is open and deletes a key
  // that is no hive; RegLoadKeyW does not lock the file, which loads again
  // under another name.
  std::string HiveGap(const std::string& behaviour) const override {
    if (!RunningUnderWine()) return "";
    if (behaviour == kKeptAtUnload) return "Wine does not save a hive at unload";
    if (behaviour == kOpenKeyBlocksUnload) return "Wine unloads with keys below the root open";
    if (behaviour == kLoadedFileInUse) return "Wine does not lock a loaded hive file";
    return "";
  }

 private:
  win32::Win32Registry m_registry;
  std::string m_scratchPath;
  std::vector<std::wstring> m_hiveFiles;
};

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
  return std::make_unique<Win32RegistryUnderTest>();
}
