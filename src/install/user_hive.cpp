#include "install/user_hive.h"

namespace install {

namespace {

// The hive file of a profile folder.
constexpr char kHiveFile[] = "\\NTUSER.DAT";
// The name a loaded hive takes below HKEY_USERS, before the SID: never one
// Windows gives a logged-on user's hive.
constexpr char kLoadedPrefix[] = "B-PlotSweep-";

}  // namespace

std::string UserName(const UserProfile& user) { return user.sid + "（" + user.folder + "）"; }

UserHive::UserHive(platform::RegistryPort& registry, const UserProfile& user)
    : m_registry(registry),
      m_root(platform::ScopedKey::Open(registry, platform::kHKeyUsers, user.sid, &m_error)) {
  if (m_root || m_error != kErrorFileNotFound) return;
  const std::string name = kLoadedPrefix + user.sid;
  m_error = registry.LoadHive(name, user.folder + kHiveFile);
  if (m_error != kErrorSuccess) return;
  m_loadedName = name;
  m_root = platform::ScopedKey::Open(registry, platform::kHKeyUsers, name, &m_error);
}

long UserHive::Release() {
  m_root.Close();  // a hive with a key open below it cannot be unloaded
  if (m_loadedName.empty()) return kErrorSuccess;
  const long result = m_registry.UnloadHive(m_loadedName);
  m_loadedName.clear();
  return result;
}

}  // namespace install
