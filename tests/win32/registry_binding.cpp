// The registry contract against Win32Registry, on a scratch key of its own
// below HKEY_CURRENT_USER\Software\SetupContractTests.

#include <windows.h>

#include "contract/registry_contract.h"
#include "platform/win32/win32_registry.h"

namespace {

constexpr char kScratchParent[] = "Software\\SetupContractTests";

class Win32RegistryUnderTest : public RegistryUnderTest {
 public:
  Win32RegistryUnderTest() {
    static unsigned serial = 0;
    m_scratchPath = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) +
                    "-" + std::to_string(GetTickCount()) + "-" + std::to_string(++serial);
  }
  // Removes the parents too once no other run's scratch key is left in them.
  ~Win32RegistryUnderTest() override {
    for (const platform::RegKey root : {platform::kHKeyCurrentUser, platform::kHKeyLocalMachine32,
                                        platform::kHKeyLocalMachine64}) {
      m_registry.DeleteKey(root, kScratchParent);
    }
  }
  platform::RegistryPort& Port() override { return m_registry; }
  std::string ScratchPath() const override { return m_scratchPath; }
  bool SeparateViews() const override {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
  }

 private:
  win32::Win32Registry m_registry;
  std::string m_scratchPath;
};

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
  return std::make_unique<Win32RegistryUnderTest>();
}
