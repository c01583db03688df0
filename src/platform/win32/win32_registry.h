#pragma once
// The registry port over the wide advapi32 calls, names and text data
// converted between UTF-8 and UTF-16 at each call. Below the view roots keys
// are opened, created and deleted through the Ex calls with the view's
// KEY_WOW64_ flag; RegDeleteKeyExW is looked up when needed, so that the
// program loads on a Windows without it. Hives load below HKEY_USERS only.

#include <windows.h>

#include "platform/registry_port.h"

namespace win32 {

// Whether this 32-bit process runs on 64-bit Windows, which keeps a second
// registry view for it.
bool RunsUnderWow64();

class Win32Registry : public platform::RegistryPort {
 public:
  long OpenKey(platform::RegKey parent, const std::string& path, platform::RegKey* key) override;
  long OpenKeyForRead(platform::RegKey parent, const std::string& path,
                      platform::RegKey* key) override;
  long ProbeWrite(platform::RegKey parent, const std::string& path) override;
  long CreateKey(platform::RegKey parent, const std::string& path, platform::RegKey* key) override;
  long CountSubKeys(platform::RegKey key, unsigned long* count) override;
  long EnumSubKey(platform::RegKey key, unsigned long index, std::size_t capacity,
                  std::string* name) override;
  long QueryValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                  std::string* data, unsigned long* type) override;
  long SetValue(platform::RegKey key, const std::string& name, unsigned long type,
                const std::string& data) override;
  long QueryWideValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                      std::u16string* data, unsigned long* type) override;
  long SetWideValue(platform::RegKey key, const std::string& name, unsigned long type,
                    const std::u16string& data) override;
  long DeleteKey(platform::RegKey parent, const std::string& path) override;
  long CloseKey(platform::RegKey key) override;
  long LoadHive(const std::string& name, const std::string& file) override;
  long UnloadHive(const std::string& name) override;

 protected:
  // The handle the advapi32 calls take for a port key, roots included (a
  // view root is HKEY_LOCAL_MACHINE).
  static HKEY ToHkey(platform::RegKey key);
  // The KEY_WOW64_ flag of a view root; `otherwise` for any other key.
  static REGSAM ViewFlag(platform::RegKey key, REGSAM otherwise = 0);
  // Whether `key` is the root of a view this Windows does not have: the
  // 64-bit view on 32-bit Windows, where nothing is found below it.
  static bool ViewMissing(platform::RegKey key);
  // Hands `opened` out as a port key when `result` is a success (a root as
  // its plain port value: a handle does not tell its view), 0 otherwise;
  // returns `result`.
  static long Opened(LONG result, HKEY opened, platform::RegKey* key);
  // RegOpenKeyExW of `path` below `parent` with `access`, handed out as
  // Opened does.
  static long OpenEx(platform::RegKey parent, const std::string& path, REGSAM access,
                     platform::RegKey* key);
};

}  // namespace win32
