#pragma once
// The registry port over the advapi32 calls: ANSI, and UTF-16 for value data.

#include <windows.h>

#include "platform/registry_port.h"

class Win32Registry : public RegistryPort {
 public:
  long OpenKey(RegKey parent, const std::string& path, RegKey* key) override;
  long OpenKeyForRead(RegKey parent, const std::string& path, RegKey* key) override;
  long ProbeWrite(RegKey parent, const std::string& path) override;
  long CreateKey(RegKey parent, const std::string& path, RegKey* key) override;
  long CountSubKeys(RegKey key, unsigned long* count) override;
  long EnumSubKey(RegKey key, unsigned long index, std::size_t capacity,
                  std::string* name) override;
  long QueryValue(RegKey key, const std::string& name, std::size_t capacity, std::string* data,
                  unsigned long* type) override;
  long SetValue(RegKey key, const std::string& name, unsigned long type,
                const std::string& data) override;
  long QueryWideValue(RegKey key, const std::string& name, std::size_t capacity,
                      std::u16string* data, unsigned long* type) override;
  long SetWideValue(RegKey key, const std::string& name, unsigned long type,
                    const std::u16string& data) override;
  long DeleteKey(RegKey parent, const std::string& path) override;
  long CloseKey(RegKey key) override;

 protected:
  // The handle the advapi32 calls take for a port key, roots included.
  static HKEY ToHkey(RegKey key);
  // Hands `opened` out as a port key when `result` is a success (a root as
  // its port value), 0 otherwise; returns `result`.
  static long Opened(LONG result, HKEY opened, RegKey* key);
};
