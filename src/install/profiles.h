#pragma once
// The AutoCAD profiles of the current user, whose trusted paths name the
// install folder.

#include "base/text.h"
#include "platform/registry_port.h"

namespace install {

// The Variables key, below `userRoot` (HKEY_CURRENT_USER, or a user's
// HKEY_USERS key), of every profile of every product of every release,
// whether that key exists yet or not. A key that
// cannot be read is passed over; `error`, when given, receives the first
// such failure (0 when every key could be read or was absent).
base::TextList ProfileVariablesKeys(platform::RegistryPort& registry, long* error = nullptr,
                                    platform::RegKey userRoot = platform::kHKeyCurrentUser);

}  // namespace install
