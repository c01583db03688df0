#include "platform/win32/win32_registry_view.h"

#include <windows.h>

#include "platform/win32/win32_registry.h"

namespace win32 {

namespace {

// Opens every key with KEY_WOW64_64KEY, but for a key below the 32-bit view
// root, which keeps its view; enumeration, queries and closing are the plain
// adapter's. Writes and hive loads are refused: this view only serves
// looking.
class Win32Registry64BitView : public Win32Registry {
 public:
  long OpenKey(platform::RegKey parent, const std::string& path, platform::RegKey* key) override {
    return OpenKeyForRead(parent, path, key);
  }
  long OpenKeyForRead(platform::RegKey parent, const std::string& path,
                      platform::RegKey* key) override {
    return OpenEx(parent, path, KEY_READ | ViewFlag(parent, KEY_WOW64_64KEY), key);
  }
  long ProbeWrite(platform::RegKey, const std::string&) override { return kErrorAccessDenied; }
  long CreateKey(platform::RegKey, const std::string&, platform::RegKey* key) override {
    *key = 0;
    return kErrorAccessDenied;
  }
  long SetValue(platform::RegKey, const std::string&, unsigned long, const std::string&) override {
    return kErrorAccessDenied;
  }
  long SetWideValue(platform::RegKey, const std::string&, unsigned long,
                    const std::u16string&) override {
    return kErrorAccessDenied;
  }
  long DeleteKey(platform::RegKey, const std::string&) override { return kErrorAccessDenied; }
  long LoadHive(const std::string&, const std::string&) override { return kErrorAccessDenied; }
  long UnloadHive(const std::string&) override { return kErrorAccessDenied; }
};

}  // namespace

std::unique_ptr<platform::RegistryPort> Open64BitRegistryView() {
  if (!RunsUnderWow64()) return nullptr;
  return std::make_unique<Win32Registry64BitView>();
}

}  // namespace win32
