#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/ansi_to_wide.h"
#include "platform/win32/system_library.h"

namespace win32 {

using win32::AnsiTextToWide;

// The port's root values are the 32-bit values of the predefined keys; a
// 64-bit HKEY holds them sign-extended.
HKEY Win32Registry::ToHkey(platform::RegKey key) {
  if (key == platform::kHKeyLocalMachine || ViewFlag(key) != 0) return HKEY_LOCAL_MACHINE;
  if (key == platform::kHKeyCurrentUser) return HKEY_CURRENT_USER;
  return reinterpret_cast<HKEY>(key);
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool Win32Registry::ViewMissing(platform::RegKey key) {
  static const bool hasTwoViews = sizeof(void*) == 8 || RunsUnderWow64();
  return key == platform::kHKeyLocalMachine64 && !hasTwoViews;
}

REGSAM Win32Registry::ViewFlag(platform::RegKey key, REGSAM otherwise) {
  if (key == platform::kHKeyLocalMachine32) return KEY_WOW64_32KEY;
  if (key == platform::kHKeyLocalMachine64) return KEY_WOW64_64KEY;
  return otherwise;
}

long Win32Registry::Opened(LONG result, HKEY opened, platform::RegKey* key) {
  if (result != ERROR_SUCCESS) {
    *key = 0;
  } else if (opened == HKEY_LOCAL_MACHINE || opened == HKEY_CURRENT_USER) {
    *key = opened == HKEY_LOCAL_MACHINE ? platform::kHKeyLocalMachine : platform::kHKeyCurrentUser;
  } else {
    *key = reinterpret_cast<platform::RegKey>(opened);
  }
  return result;
}

namespace {

bool IsRoot(platform::RegKey key) {
  return key == platform::kHKeyLocalMachine || key == platform::kHKeyCurrentUser;
}

const wchar_t* WideChars(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

long Win32Registry::OpenKey(platform::RegKey parent, const std::string& path,
                            platform::RegKey* key) {
  HKEY opened = nullptr;
  // RegOpenKeyA hands back `parent` itself for an empty path. That suits a
  // root; an open key gets a handle of its own, so each handle is closed once.
  // Only RegOpenKeyExA takes a view.
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  const REGSAM view = ViewFlag(parent);
  if (view != 0 || (path.empty() && !IsRoot(parent))) {
    const LONG result =
        RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, MAXIMUM_ALLOWED | view, &opened);
    return Opened(result, opened, key);
  }
  const LONG result = RegOpenKeyA(ToHkey(parent), path.c_str(), &opened);
  return Opened(result, opened, key);
}

long Win32Registry::OpenKeyForRead(platform::RegKey parent, const std::string& path,
                                   platform::RegKey* key) {
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  HKEY opened = nullptr;
  const LONG result =
      RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, KEY_READ | ViewFlag(parent), &opened);
  return Opened(result, opened, key);
}

long Win32Registry::ProbeWrite(platform::RegKey parent, const std::string& path) {
  if (ViewMissing(parent)) return ERROR_FILE_NOT_FOUND;
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0,
                                    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | ViewFlag(parent), &opened);
  if (result == ERROR_SUCCESS) RegCloseKey(opened);
  return result;
}

long Win32Registry::CreateKey(platform::RegKey parent, const std::string& path,
                              platform::RegKey* key) {
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  HKEY opened = nullptr;
  const REGSAM view = ViewFlag(parent);
  const LONG result = view == 0
                          ? RegCreateKeyA(ToHkey(parent), path.c_str(), &opened)
                          : RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, nullptr, 0,
                                            MAXIMUM_ALLOWED | view, nullptr, &opened, nullptr);
  return Opened(result, opened, key);
}

long Win32Registry::CountSubKeys(platform::RegKey key, unsigned long* count) {
  DWORD subKeys = 0;
  const LONG result = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subKeys, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) *count = subKeys;
  return result;
}

long Win32Registry::EnumSubKey(platform::RegKey key, unsigned long index, std::size_t capacity,
                               std::string* name) {
  name->clear();
  std::vector<char> buffer(capacity + 1);  // the call is told `capacity`; +1 keeps 0 valid
  DWORD length = static_cast<DWORD>(capacity);
  const LONG result =
      RegEnumKeyExA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) name->assign(buffer.data(), length);
  return result;
}

long Win32Registry::QueryValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                               std::string* data, unsigned long* type) {
  data->clear();
  std::vector<BYTE> buffer(capacity + 1);  // the call is told `capacity`; +1 keeps 0 valid
  DWORD size = static_cast<DWORD>(capacity);
  DWORD stored = REG_NONE;
  const LONG result =
      RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &stored, buffer.data(), &size);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) *type = stored;
  if (result == ERROR_SUCCESS) data->assign(reinterpret_cast<const char*>(buffer.data()), size);
  return result;
}

long Win32Registry::SetValue(platform::RegKey key, const std::string& name, unsigned long type,
                             const std::string& data) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

long Win32Registry::QueryWideValue(platform::RegKey key, const std::string& name,
                                   std::size_t capacity, std::u16string* data,
                                   unsigned long* type) {
  data->clear();
  std::u16string wideName;
  if (!AnsiTextToWide(name, &wideName)) return ERROR_NO_UNICODE_TRANSLATION;
  // The call is told the bytes of `capacity` units; +1 keeps 0 valid.
  std::vector<char16_t> buffer(capacity + 1);
  DWORD size = static_cast<DWORD>(capacity * sizeof(char16_t));
  DWORD stored = REG_NONE;
  const LONG result = RegQueryValueExW(ToHkey(key), WideChars(wideName), nullptr, &stored,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) *type = stored;
  if (result == ERROR_SUCCESS) data->assign(buffer.data(), size / sizeof(char16_t));
  return result;
}

long Win32Registry::SetWideValue(platform::RegKey key, const std::string& name, unsigned long type,
                                 const std::u16string& data) {
  std::u16string wideName;
  if (!AnsiTextToWide(name, &wideName)) return ERROR_NO_UNICODE_TRANSLATION;
  return RegSetValueExW(ToHkey(key), WideChars(wideName), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size() * sizeof(char16_t)));
}

long Win32Registry::DeleteKey(platform::RegKey parent, const std::string& path) {
  if (ViewMissing(parent)) return ERROR_FILE_NOT_FOUND;
  const REGSAM view = ViewFlag(parent);
  using RegDeleteKeyExAFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  // A Windows without RegDeleteKeyExA has one view: RegDeleteKeyA deletes there.
  const auto deleteInView = view == 0 ? nullptr
                                      : SystemFunction<RegDeleteKeyExAFn>(
                                            GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA");
  if (deleteInView) return deleteInView(ToHkey(parent), path.c_str(), view, 0);
  return RegDeleteKeyA(ToHkey(parent), path.c_str());
}

long Win32Registry::CloseKey(platform::RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace win32
