#include "platform/scoped_key.h"

namespace platform {

namespace {

using OpenCall = long (RegistryPort::*)(RegKey, const std::string&, RegKey*);

RegKey Opened(RegistryPort& registry, OpenCall call, RegKey parent, const std::string& path,
              long* result) {
  RegKey key = 0;
  const long status = (registry.*call)(parent, path, &key);
  if (result) *result = status;
  return status == kErrorSuccess ? key : 0;
}

}  // namespace

ScopedKey ScopedKey::Open(RegistryPort& registry, RegKey parent, const std::string& path,
                          long* result) {
  return ScopedKey(registry, Opened(registry, &RegistryPort::OpenKey, parent, path, result));
}

ScopedKey ScopedKey::OpenForRead(RegistryPort& registry, RegKey parent, const std::string& path,
                                 long* result) {
  return ScopedKey(registry, Opened(registry, &RegistryPort::OpenKeyForRead, parent, path, result));
}

ScopedKey ScopedKey::Create(RegistryPort& registry, RegKey parent, const std::string& path,
                            long* result) {
  return ScopedKey(registry, Opened(registry, &RegistryPort::CreateKey, parent, path, result));
}

}  // namespace platform
