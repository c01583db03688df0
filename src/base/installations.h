#pragma once
// What host discovery found: per release, the product keys that hold an
// installation and the host folder of each, in the order found.

#include <array>

#include "base/release_years.h"
#include "base/text.h"

namespace base {

class Installations {
 public:
  // Below HKEY_LOCAL_MACHINE, each ending with a backslash.
  TextList& ProductKeys(int year) { return m_keys[ReleaseIndex(year)]; }
  const TextList& ProductKeys(int year) const { return m_keys[ReleaseIndex(year)]; }
  // The "AcadLocation" of the product key at the same position.
  TextList& HostFolders(int year) { return m_folders[ReleaseIndex(year)]; }
  const TextList& HostFolders(int year) const { return m_folders[ReleaseIndex(year)]; }

  // Whether any release has an installation.
  bool Any() const;

 private:
  std::array<TextList, kReleaseCount> m_keys;
  std::array<TextList, kReleaseCount> m_folders;
};

inline bool Installations::Any() const {
  for (const TextList& folders : m_folders) {
    if (!folders.empty()) return true;
  }
  return false;
}

}  // namespace base
