#pragma once
// Another user's registry, reached for the time of a step: through
// HKEY_USERS\<SID> while the user is logged on, otherwise by loading the
// hive file of the user's profile folder, which is unloaded again however
// the step ends.

#include <string>

#include "platform/registry_port.h"
#include "platform/scoped_key.h"

namespace install {

// A user of the machine, as the profile list names it.
struct UserProfile {
  std::string sid;     // "S-1-5-21-..."
  std::string folder;  // the profile folder, environment variables expanded
};

// "<SID>（<profile folder>）": how reports and the log name a user.
std::string UserName(const UserProfile& user);

class UserHive {
 public:
  UserHive(platform::RegistryPort& registry, const UserProfile& user);
  UserHive(const UserHive&) = delete;
  UserHive& operator=(const UserHive&) = delete;
  ~UserHive() { Release(); }

  // The user's HKEY_USERS key; 0 when it could not be reached (Error).
  platform::RegKey Root() const { return m_root.get(); }
  long Error() const { return m_error; }

  // Closes the key and unloads a hive this loaded: 0, or why it could not
  // be unloaded. Once only; the destructor does it otherwise.
  long Release();

 private:
  platform::RegistryPort& m_registry;
  long m_error = kErrorSuccess;  // before m_root, which its opening sets
  std::string m_loadedName;      // below HKEY_USERS, while this has loaded the hive
  platform::ScopedKey m_root;
};

}  // namespace install
