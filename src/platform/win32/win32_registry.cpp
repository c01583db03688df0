#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace win32 {

// The port's root values are the 32-bit values of the predefined keys; a
// 64-bit HKEY holds them sign-extended.
HKEY Win32Registry::ToHkey(platform::RegKey key) {
  if (key == platform::kHKeyLocalMachine || ViewFlag(key) != 0) return HKEY_LOCAL_MACHINE;
  if (key == platform::kHKeyCurrentUser) return HKEY_CURRENT_USER;
  if (key == platform::kHKeyUsers) return HKEY_USERS;
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
  } else if (opened == HKEY_LOCAL_MACHINE) {
    *key = platform::kHKeyLocalMachine;
  } else if (opened == HKEY_CURRENT_USER) {
    *key = platform::kHKeyCurrentUser;
  } else if (opened == HKEY_USERS) {
    *key = platform::kHKeyUsers;
  } else {
    *key = reinterpret_cast<platform::RegKey>(opened);
  }
  return result;
}

namespace {

bool IsRoot(platform::RegKey key) {
  return key == platform::kHKeyLocalMachine || key == platform::kHKeyCurrentUser ||
         key == platform::kHKeyUsers;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The wide form of a key path or value name, for `call(wideName)`; a name
// that is not well-formed UTF-8 names no key and reaches no call.
template <typename Call>
LONG WithWideName(const std::string& name, Call call) {
  std::wstring wide;
  if (!ToWide(name, &wide)) return ERROR_NO_UNICODE_TRANSLATION;
  return call(wide.c_str());
}

// RegQueryValueExW into `buffer`, which the call is told holds `*size` bytes.
LONG QueryInto(HKEY key, const std::string& name, void* buffer, DWORD* size, DWORD* type) {
  return WithWideName(name, [&](const wchar_t* wideName) {
    return RegQueryValueExW(key, wideName, nullptr, type, static_cast<BYTE*>(buffer), size);
  });
}

// RegSetValueExW of `size` bytes at `data`.
LONG SetFrom(HKEY key, const std::string& name, DWORD type, const void* data, std::size_t size) {
  return WithWideName(name, [&](const wchar_t* wideName) {
    return RegSetValueExW(key, wideName, 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size));
  });
}

}  // namespace

long Win32Registry::OpenEx(platform::RegKey parent, const std::string& path, REGSAM access,
                           platform::RegKey* key) {
  HKEY opened = nullptr;
  const LONG result = WithWideName(path, [&](const wchar_t* widePath) {
    return RegOpenKeyExW(ToHkey(parent), widePath, 0, access, &opened);
  });
  return Opened(result, opened, key);
}

long Win32Registry::OpenKey(platform::RegKey parent, const std::string& path,
                            platform::RegKey* key) {
  // RegOpenKeyW hands back `parent` itself for an empty path. That suits a
  // root; an open key gets a handle of its own, so each handle is closed once.
  // Only RegOpenKeyExW takes a view.
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  const REGSAM view = ViewFlag(parent);
  if (view != 0 || (path.empty() && !IsRoot(parent))) {
    return OpenEx(parent, path, MAXIMUM_ALLOWED | view, key);
  }
  HKEY opened = nullptr;
  const LONG result = WithWideName(path, [&](const wchar_t* widePath) {
    return RegOpenKeyW(ToHkey(parent), widePath, &opened);
  });
  return Opened(result, opened, key);
}

long Win32Registry::OpenKeyForRead(platform::RegKey parent, const std::string& path,
                                   platform::RegKey* key) {
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  return OpenEx(parent, path, KEY_READ | ViewFlag(parent), key);
}

long Win32Registry::ProbeWrite(platform::RegKey parent, const std::string& path) {
  if (ViewMissing(parent)) return ERROR_FILE_NOT_FOUND;
  platform::RegKey probed = 0;
  const long result =
      OpenEx(parent, path, KEY_SET_VALUE | KEY_CREATE_SUB_KEY | ViewFlag(parent), &probed);
  if (result == ERROR_SUCCESS) CloseKey(probed);
  return result;
}

long Win32Registry::CreateKey(platform::RegKey parent, const std::string& path,
                              platform::RegKey* key) {
  if (ViewMissing(parent)) return Opened(ERROR_FILE_NOT_FOUND, nullptr, key);
  HKEY opened = nullptr;
  const REGSAM view = ViewFlag(parent);
  const LONG result = WithWideName(path, [&](const wchar_t* widePath) {
    return view == 0 ? RegCreateKeyW(ToHkey(parent), widePath, &opened)
                     : RegCreateKeyExW(ToHkey(parent), widePath, 0, nullptr, 0,
                                       MAXIMUM_ALLOWED | view, nullptr, &opened, nullptr);
  });
  return Opened(result, opened, key);
}

long Win32Registry::CountSubKeys(platform::RegKey key, unsigned long* count) {
  DWORD subKeys = 0;
  const LONG result = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subKeys, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) *count = subKeys;
  return result;
}

long Win32Registry::EnumSubKey(platform::RegKey key, unsigned long index, std::size_t capacity,
                               std::string* name) {
  name->clear();
  std::vector<wchar_t> buffer(capacity + 1);  // the call is told `capacity`; +1 keeps 0 valid
  DWORD length = static_cast<DWORD>(capacity);
  const LONG result =
      RegEnumKeyExW(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  return ToUtf8(buffer.data(), length, name) ? ERROR_SUCCESS : ERROR_NO_UNICODE_TRANSLATION;
}

long Win32Registry::QueryValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                               std::string* data, unsigned long* type) {
  data->clear();
  // The call is told the bytes of `capacity` units; +1 keeps 0 valid.
  std::vector<wchar_t> buffer(capacity + 1);
  DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
  DWORD stored = REG_NONE;
  const LONG result = QueryInto(ToHkey(key), name, buffer.data(), &size, &stored);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) *type = stored;
  if (result != ERROR_SUCCESS) return result;
  if (!IsText(stored)) {
    data->assign(reinterpret_cast<const char*>(buffer.data()), size);
    return ERROR_SUCCESS;
  }
  // Text is whole units: an odd last byte, which only a byte-wise writer
  // leaves, is no part of a character and is left out, as RegQueryValueExA
  // leaves it out.
  return ToUtf8(buffer.data(), size / sizeof(wchar_t), data) ? ERROR_SUCCESS
                                                             : ERROR_NO_UNICODE_TRANSLATION;
}

long Win32Registry::SetValue(platform::RegKey key, const std::string& name, unsigned long type,
                             const std::string& data) {
  if (!IsText(type)) return SetFrom(ToHkey(key), name, type, data.data(), data.size());
  std::wstring text;
  if (!ToWide(data, &text)) return ERROR_NO_UNICODE_TRANSLATION;
  return SetFrom(ToHkey(key), name, type, text.data(), text.size() * sizeof(wchar_t));
}

long Win32Registry::QueryWideValue(platform::RegKey key, const std::string& name,
                                   std::size_t capacity, std::u16string* data,
                                   unsigned long* type) {
  data->clear();
  // The call is told the bytes of `capacity` units; +1 keeps 0 valid.
  std::vector<char16_t> buffer(capacity + 1);
  DWORD size = static_cast<DWORD>(capacity * sizeof(char16_t));
  DWORD stored = REG_NONE;
  const LONG result = QueryInto(ToHkey(key), name, buffer.data(), &size, &stored);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) *type = stored;
  if (result == ERROR_SUCCESS) data->assign(buffer.data(), size / sizeof(char16_t));
  return result;
}

long Win32Registry::SetWideValue(platform::RegKey key, const std::string& name, unsigned long type,
                                 const std::u16string& data) {
  return SetFrom(ToHkey(key), name, type, data.data(), data.size() * sizeof(char16_t));
}

long Win32Registry::DeleteKey(platform::RegKey parent, const std::string& path) {
  if (ViewMissing(parent)) return ERROR_FILE_NOT_FOUND;
  const REGSAM view = ViewFlag(parent);
  using RegDeleteKeyExWFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  // A Windows without RegDeleteKeyExW has one view: RegDeleteKeyW deletes there.
  const auto deleteInView = view == 0 ? nullptr
                                      : SystemFunction<RegDeleteKeyExWFn>(
                                            GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW");
  return WithWideName(path, [&](const wchar_t* widePath) {
    if (deleteInView) return deleteInView(ToHkey(parent), widePath, view, 0);
    return RegDeleteKeyW(ToHkey(parent), widePath);
  });
}

long Win32Registry::CloseKey(platform::RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::LoadHive(const std::string& name, const std::string& file) {
  std::wstring wideFile;
  if (!ToWide(file, &wideFile)) return ERROR_NO_UNICODE_TRANSLATION;
  return WithWideName(name, [&](const wchar_t* wideName) {
    return RegLoadKeyW(HKEY_USERS, wideName, wideFile.c_str());
  });
}

long Win32Registry::UnloadHive(const std::string& name) {
  return WithWideName(name,
                      [&](const wchar_t* wideName) { return RegUnLoadKeyW(HKEY_USERS, wideName); });
}

}  // namespace win32
