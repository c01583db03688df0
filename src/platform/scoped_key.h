#pragma once
// An open registry key that closes itself, as a handle owner does: move-only,
// closed when the owner is destroyed or takes another key.

#include <string>
#include <utility>

#include "platform/registry_port.h"

namespace platform {

class ScopedKey {
 public:
  // The port's three ways of opening, each giving an owner that holds no key
  // when the call failed; `result`, when given, receives the call's result.
  static ScopedKey Open(RegistryPort& registry, RegKey parent, const std::string& path,
                        long* result = nullptr);
  static ScopedKey OpenForRead(RegistryPort& registry, RegKey parent, const std::string& path,
                               long* result = nullptr);
  static ScopedKey Create(RegistryPort& registry, RegKey parent, const std::string& path,
                          long* result = nullptr);

  ScopedKey(ScopedKey&& other) noexcept
      : m_registry(other.m_registry), m_key(std::exchange(other.m_key, 0)) {}
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Close();
      m_registry = other.m_registry;
      m_key = std::exchange(other.m_key, 0);
    }
    return *this;
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() { Close(); }

  RegKey get() const { return m_key; }
  explicit operator bool() const { return m_key != 0; }

  // Closes the key now; the owner then holds none.
  void Close() {
    if (m_key != 0) m_registry->CloseKey(std::exchange(m_key, 0));
  }

 private:
  ScopedKey(RegistryPort& registry, RegKey key) : m_registry(&registry), m_key(key) {}

  RegistryPort* m_registry;
  RegKey m_key;
};

}  // namespace platform
