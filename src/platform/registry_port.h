#pragma once
// The registry as the program uses it: the wide advapi32 calls, with their
// return codes (0 = ERROR_SUCCESS) and their meaning kept. Key names, value
// names and text data are UTF-8 here and UTF-16 in the registry: a text that
// is not well-formed UTF-8, or stored text holding a lone surrogate, is
// refused with kErrorNoUnicodeTranslation rather than turned into another
// name. Capacities count UTF-16 units, as the wide calls do.

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/win_error.h"

namespace platform {

using RegKey = std::uintptr_t;  // an open key; 0 = none

constexpr RegKey kHKeyCurrentUser = 0x80000001u;
constexpr RegKey kHKeyLocalMachine = 0x80000002u;
constexpr RegKey kHKeyUsers = 0x80000003u;
// HKEY_LOCAL_MACHINE in the 32-bit or the 64-bit registry view, whatever the
// process's own: a key opened, created or deleted by its path below one of
// these is in that view (KEY_WOW64_32KEY, KEY_WOW64_64KEY). A Windows with
// one view (32-bit Windows) has no 64-bit view: below its root no key is
// found and none can be created (kErrorFileNotFound).
constexpr RegKey kHKeyLocalMachine32 = 0x80000102u;
constexpr RegKey kHKeyLocalMachine64 = 0x80000202u;

constexpr unsigned long kRegSz = 1;        // REG_SZ
constexpr unsigned long kRegExpandSz = 2;  // REG_EXPAND_SZ
constexpr unsigned long kRegDword = 4;     // REG_DWORD
constexpr unsigned long kRegMultiSz = 7;   // REG_MULTI_SZ

class RegistryPort {
 public:
  virtual ~RegistryPort() = default;

  // RegOpenKeyW: default access; an empty path yields a new handle to `parent`
  // itself (for a root: the root).
  virtual long OpenKey(RegKey parent, const std::string& path, RegKey* key) = 0;
  // RegOpenKeyExW with KEY_READ; an empty path opens `parent` itself.
  virtual long OpenKeyForRead(RegKey parent, const std::string& path, RegKey* key) = 0;
  // RegOpenKeyExW with KEY_SET_VALUE | KEY_CREATE_SUB_KEY, closed at once:
  // whether the key could be written, leaving nothing behind.
  virtual long ProbeWrite(RegKey parent, const std::string& path) = 0;
  // RegCreateKeyW: opens the key path, creating every missing key on it.
  virtual long CreateKey(RegKey parent, const std::string& path, RegKey* key) = 0;
  // RegQueryInfoKeyW, asking only for the number of sub-keys.
  virtual long CountSubKeys(RegKey key, unsigned long* count) = 0;
  // RegEnumKeyExW into a buffer of `capacity` units (NUL included):
  // kErrorMoreData when the name does not fit, kErrorNoMoreItems past the end.
  virtual long EnumSubKey(RegKey key, unsigned long index, std::size_t capacity,
                          std::string* name) = 0;
  // RegQueryValueExW into a buffer of `capacity` UTF-16 units: text
  // (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) as UTF-8, keeping its terminating
  // NUL, other data as stored; kErrorMoreData when it does not fit.
  virtual long QueryValue(RegKey key, const std::string& name, std::size_t capacity,
                          std::string* data, unsigned long* type) = 0;
  // RegSetValueExW: text types given as UTF-8 are stored as UTF-16 (a REG_SZ
  // caller adds the NUL), other data as given.
  virtual long SetValue(RegKey key, const std::string& name, unsigned long type,
                        const std::string& data) = 0;
  // RegQueryValueExW into a buffer of `capacity` UTF-16 units: the data as
  // stored, in UTF-16 units (text keeps its terminating NUL), kErrorMoreData
  // when it does not fit.
  virtual long QueryWideValue(RegKey key, const std::string& name, std::size_t capacity,
                              std::u16string* data, unsigned long* type) = 0;
  // RegSetValueExW: stores `data` as given (a REG_SZ caller adds the NUL).
  virtual long SetWideValue(RegKey key, const std::string& name, unsigned long type,
                            const std::u16string& data) = 0;
  // RegDeleteKeyW (RegDeleteKeyExW below a view root): fails when the key
  // has sub-keys.
  virtual long DeleteKey(RegKey parent, const std::string& path) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegKey key) = 0;
  // RegLoadKeyW(HKEY_USERS, name, file): the hive in `file` (a user's
  // NTUSER.DAT) becomes HKEY_USERS\<name> until UnloadHive. Needs the
  // restore and backup privileges (ProcessPort::EnableHivePrivileges); a hive
  // in use, its user logged on, fails with kErrorSharingViolation.
  virtual long LoadHive(const std::string& name, const std::string& file) = 0;
  // RegUnLoadKeyW(HKEY_USERS, name): what was written below it is in the
  // hive's file from then on. Every key opened below it must be closed first.
  virtual long UnloadHive(const std::string& name) = 0;
};

}  // namespace platform
