#include "install/profiles.h"

#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

namespace install {

namespace {

constexpr char kAcadKey[] = "SOFTWARE\\Autodesk\\AutoCAD";

// Walks the profiles, keeping the first failure to read a key other than
// its absence.
class ProfileWalk {
 public:
  explicit ProfileWalk(platform::RegistryPort& registry) : m_registry(registry) {}

  // The Profiles key of every product of every release, ticked or not.
  base::TextList ProfileListKeys(platform::RegKey root) {
    base::TextList profileLists;
    const platform::ScopedKey acad = Open(root, kAcadKey);
    if (!acad) return profileLists;
    for (const auto& release : platform::ReadSubKeyNames(m_registry, acad.get(), &m_error)) {
      const base::TextList products =
          SubKeyPaths(root, std::string(kAcadKey) + "\\" + release, "\\Profiles");
      profileLists.insert(profileLists.end(), products.begin(), products.end());
    }
    return profileLists;
  }

  // The paths of the sub-keys of `path` below `root` that can be opened for
  // reading, in enumeration order, each followed by `suffix`.
  base::TextList SubKeyPaths(platform::RegKey root, const std::string& path, const char* suffix) {
    base::TextList paths;
    const platform::ScopedKey key = Open(root, path);
    if (!key) return paths;
    for (const auto& name : platform::ReadSubKeyNames(m_registry, key.get(), &m_error)) {
      if (Open(key.get(), name)) paths.push_back(path + "\\" + name + suffix);
    }
    return paths;
  }

  long Error() const { return m_error; }

 private:
  platform::ScopedKey Open(platform::RegKey parent, const std::string& path) {
    long result = kErrorSuccess;
    platform::ScopedKey key = platform::ScopedKey::OpenForRead(m_registry, parent, path, &result);
    if (result != kErrorSuccess && result != kErrorFileNotFound && m_error == kErrorSuccess) {
      m_error = result;
    }
    return key;
  }

  platform::RegistryPort& m_registry;
  long m_error = kErrorSuccess;
};

}  // namespace

base::TextList ProfileVariablesKeys(platform::RegistryPort& registry, long* error,
                                    platform::RegKey userRoot) {
  base::TextList variables;
  ProfileWalk walk(registry);
  long result = kErrorSuccess;
  const platform::ScopedKey root = platform::ScopedKey::Open(registry, userRoot, "", &result);
  if (root) {
    for (const auto& profileList : walk.ProfileListKeys(root.get())) {
      const base::TextList profiles = walk.SubKeyPaths(root.get(), profileList, "\\Variables");
      variables.insert(variables.end(), profiles.begin(), profiles.end());
    }
    result = walk.Error();
  }
  if (error) *error = result;
  return variables;
}

}  // namespace install
