// Host discovery: finds the installed AutoCAD releases below
// HKEY_LOCAL_MACHINE, each with its folder ("AcadLocation") and the key that
// holds it, and appends them to the per-year lists.

#include <string>

#include "app/bounded_format.h"
#include "app/setup_state.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

using app::FormatPath;
using app::PathBuffer;
using platform::ReadSubKeyNames;
using platform::ReadValueText;

namespace {

constexpr std::size_t kValueCapacity = 256;
constexpr int kLastWow64Year = 2008;

struct WalkResult {
  TextList keys;
  TextList values;
};

WalkResult Walk(SetupState& state, RegKey releaseKey, const std::string& prefix,
                const char* valueName) {
  state.m_arrFoundKeys.clear();
  state.m_arrFoundValues.clear();
  state.m_strValueName = valueName;
  state.CollectRegValues(releaseKey, "", "", prefix);
  return WalkResult{state.m_arrFoundKeys, state.m_arrFoundValues};
}

// The first year of 2007..lastYear whose text first occurs in the product
// name after its first byte; 0 when there is none.
int ReleaseYearOf(const std::string& productName, int lastYear) {
  for (int year = kFirstReleaseYear; year <= lastYear; ++year) {
    const std::size_t position = productName.find(std::to_string(year));
    if (position != std::string::npos && position >= 1) return year;
  }
  return 0;
}

// An installation is a key that holds both values.
void RecordInstallations(SetupState& state, const WalkResult& locations, const WalkResult& names,
                         int lastYear) {
  for (std::size_t outer = 0; outer < locations.keys.size(); ++outer) {
    for (std::size_t inner = 0; inner < names.keys.size(); ++inner) {
      if (locations.keys[outer] != names.keys[inner]) continue;
      const int year = ReleaseYearOf(names.values[inner], lastYear);
      if (year == 0) continue;
      state.AcadKeys(year).push_back(locations.keys[outer]);
      state.AcadDirs(year).push_back(locations.values[outer]);
    }
  }
}

void ScanRelease(SetupState& state, RegKey baseKey, const char* basePath,
                 const std::string& releaseName, int lastYear) {
  PathBuffer prefix;
  if (FormatPath(prefix, "%s\\%s\\", basePath, releaseName.c_str()) < 0) return;
  const ScopedKey releaseKey =
      ScopedKey::OpenForRead(state.platform().registry, baseKey, releaseName);
  if (!releaseKey) return;
  const WalkResult locations = Walk(state, releaseKey.get(), prefix, "AcadLocation");
  const WalkResult names = Walk(state, releaseKey.get(), prefix, "ProductName");
  RecordInstallations(state, locations, names, lastYear);
}

}  // namespace

void SetupState::FindAcadReleases() {
  ScanWow64Releases();
  ScanReleases("SOFTWARE\\Autodesk\\AutoCAD", kLastReleaseYear);
}

void SetupState::ScanWow64Releases() {
  ScanReleases("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD", kLastWow64Year);
}

void SetupState::ScanReleases(const char* baseKey, int lastYear) {
  RegistryPort& registry = m_platform.registry;
  const ScopedKey root = ScopedKey::Open(registry, kHKeyLocalMachine, "");
  if (!root) return;
  const ScopedKey base = ScopedKey::OpenForRead(registry, root.get(), baseKey);
  if (!base) return;
  for (const auto& releaseName : ReadSubKeyNames(registry, base.get())) {
    ScanRelease(*this, base.get(), baseKey, releaseName, lastYear);
  }
}

// Depth-first: a key that holds the value ends its branch; otherwise each of
// its sub-keys is searched in enumeration order.
void SetupState::CollectRegValues(RegKey parentKey, const std::string& subKeyName,
                                  std::string relativePath, std::string pathPrefix) {
  RegistryPort& registry = m_platform.registry;
  const ScopedKey key = ScopedKey::OpenForRead(registry, parentKey, subKeyName);
  if (!key) return;
  std::string value;
  if (ReadValueText(registry, key.get(), m_strValueName, kValueCapacity, &value) == kRegSuccess) {
    m_arrFoundKeys.push_back(pathPrefix + relativePath);
    m_arrFoundValues.push_back(value);
    return;
  }
  for (const auto& name : ReadSubKeyNames(registry, key.get())) {
    CollectRegValues(key.get(), name, relativePath + name + "\\", pathPrefix);
  }
}
