#include "platform/registry_reading.h"

namespace platform {

base::TextList ReadSubKeyNames(RegistryPort& registry, RegKey key, long* error) {
  const auto keep = [error](long result) {
    if (error && *error == kErrorSuccess) *error = result;
  };
  unsigned long count = 0;
  const long counted = registry.CountSubKeys(key, &count);
  if (counted != kErrorSuccess) {
    keep(counted);
    count = 0;
  }
  base::TextList names;
  for (unsigned long index = 0; index < count; ++index) {
    std::string name;
    const long result = registry.EnumSubKey(key, index, kKeyNameCapacity, &name);
    if (result == kErrorSuccess) {
      names.push_back(name);
    } else {
      keep(result);
    }
  }
  return names;
}

long ReadValueText(RegistryPort& registry, RegKey key, const std::string& name,
                   std::size_t capacity, std::string* text) {
  std::string data;
  unsigned long type = 0;
  const long result = registry.QueryValue(key, name, capacity, &data, &type);
  *text = result == kErrorSuccess ? data.substr(0, data.find('\0')) : std::string();
  return result;
}

}  // namespace platform
