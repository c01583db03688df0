#pragma once
// Reading the registry as discovery and registration need it: sub-key names
// through a 256-character buffer, value data as text.

#include <cstddef>
#include <string>

#include "base/text.h"
#include "platform/registry_port.h"

namespace platform {

constexpr std::size_t kKeyNameCapacity = 256;  // 255 characters and the NUL

// The names of the key's sub-keys in enumeration order. A name that cannot be
// read (the registry changed meanwhile) is left out rather than taken as empty,
// which would name the key itself; `error`, when given, receives the first
// such failure (it is left as it is when there is none).
base::TextList ReadSubKeyNames(RegistryPort& registry, RegKey key, long* error = nullptr);

// Reads a value of any type into a buffer of `capacity` UTF-16 units and keeps its
// data up to the first NUL. Returns the registry's result; `text` is empty
// unless it is kErrorSuccess.
long ReadValueText(RegistryPort& registry, RegKey key, const std::string& name,
                   std::size_t capacity, std::string* text);

}  // namespace platform
