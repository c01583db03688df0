#pragma once
// The install folder in an AutoCAD profile's TRUSTEDPATHS value, read and
// written as UTF-16, the units its length limit counts.

#include <string>

#include "platform/registry_port.h"

namespace install {

// Adds `folder` to the trusted paths of the profile whose Variables key,
// below `userRoot` (the user's HKEY_CURRENT_USER or HKEY_USERS key), is
// `variablesKey`; the key and the value are
// created when absent, and an empty value is replaced. Otherwise the folder
// is appended unless one of the ";"-separated entries names it (ignoring
// ASCII case and one trailing backslash), and the existing entries are
// written back with their ASCII letters upper-cased, with the type they had
// (REG_SZ or REG_EXPAND_SZ). A value of another type, one that cannot be
// read whole, or one that would not fit 12,999 characters with the folder,
// is left as it is. 0 when the folder is trusted; otherwise why not.
long TrustFolder(platform::RegistryPort& registry, const std::string& variablesKey,
                 const std::u16string& folder,
                 platform::RegKey userRoot = platform::kHKeyCurrentUser);

// Takes every entry naming `folder` (compared as TrustFolder does) out of the
// profile's trusted paths, leaving the other entries, their order and
// spelling, and the value's type as they are; a value left without entries
// stays, empty. A key or value that is absent, or holds no such entry, is
// left untouched. 0 when the profile no longer trusts the folder; otherwise
// why not (a value of another type, or one that cannot be read whole).
long DistrustFolder(platform::RegistryPort& registry, const std::string& variablesKey,
                    const std::u16string& folder,
                    platform::RegKey userRoot = platform::kHKeyCurrentUser);

}  // namespace install
