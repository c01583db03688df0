#include "discovery/host_discovery.h"

#include <string>
#include <unordered_map>

#include "base/bounded_format.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

using base::FormatPath;
using base::Installations;
using base::PathBuffer;
using platform::ReadSubKeyNames;
using platform::ReadValueText;

namespace {

constexpr std::size_t kValueCapacity = 256;
constexpr int kLastWow64Year = 2008;

// One value's search below a release key: the keys that hold it, each with
// the value's text.
struct ValueWalk {
  const char* valueName;
  base::TextList keys;
  base::TextList values;
};

// Depth-first through `key` (at `relativePath` below the release key), one
// visit per key for both values: a key that holds a value ends that value's
// search in its branch; the sub-keys are searched in enumeration order while
// any value is still searched for. `searching` holds a bit per walk.
void CollectRegValues(platform::RegistryPort& registry, platform::RegKey key,
                      const std::string& relativePath, const std::string& pathPrefix,
                      ValueWalk (&walks)[2], unsigned searching) {
  for (unsigned i = 0; i < 2; ++i) {
    std::string value;
    if ((searching & (1u << i)) &&
        ReadValueText(registry, key, walks[i].valueName, kValueCapacity, &value) == kErrorSuccess) {
      walks[i].keys.push_back(pathPrefix + relativePath);
      walks[i].values.push_back(value);
      searching &= ~(1u << i);
    }
  }
  if (searching == 0) return;
  for (const auto& name : ReadSubKeyNames(registry, key)) {
    const platform::ScopedKey subKey = platform::ScopedKey::OpenForRead(registry, key, name);
    if (subKey) {
      CollectRegValues(registry, subKey.get(), relativePath + name + "\\", pathPrefix, walks,
                       searching);
    }
  }
}

// The first year of 2007..lastYear whose text first occurs in the product
// name after its first byte; 0 when there is none.
int ReleaseYearOf(const std::string& productName, int lastYear) {
  for (int year = base::kFirstReleaseYear; year <= lastYear; ++year) {
    const std::size_t position = productName.find(std::to_string(year));
    if (position != std::string::npos && position >= 1) return year;
  }
  return 0;
}

// An installation is a key that holds both values; each key appears at most
// once in a walk.
void RecordInstallations(Installations* found, const ValueWalk& locations, const ValueWalk& names,
                         int lastYear) {
  std::unordered_map<std::string, std::size_t> nameAt;
  for (std::size_t i = 0; i < names.keys.size(); ++i) nameAt.emplace(names.keys[i], i);
  for (std::size_t i = 0; i < locations.keys.size(); ++i) {
    const auto name = nameAt.find(locations.keys[i]);
    if (name == nameAt.end()) continue;
    const int year = ReleaseYearOf(names.values[name->second], lastYear);
    if (year == 0) continue;
    found->ProductKeys(year).push_back(locations.keys[i]);
    found->HostFolders(year).push_back(locations.values[i]);
  }
}

void ScanRelease(platform::RegistryPort& registry, Installations* found, platform::RegKey baseKey,
                 const char* basePath, const std::string& releaseName, int lastYear) {
  PathBuffer prefix;
  if (FormatPath(prefix, "%s\\%s\\", basePath, releaseName.c_str()) < 0) return;
  const platform::ScopedKey releaseKey =
      platform::ScopedKey::OpenForRead(registry, baseKey, releaseName);
  if (!releaseKey) return;
  ValueWalk walks[2] = {{"AcadLocation", {}, {}}, {"ProductName", {}, {}}};
  CollectRegValues(registry, releaseKey.get(), "", prefix, walks, 0b11);
  RecordInstallations(found, walks[0], walks[1], lastYear);
}

// Adds the installations below `baseKey` of the releases up to `lastYear`.
void ScanReleases(platform::RegistryPort& registry, const char* baseKey, int lastYear,
                  Installations* found) {
  const platform::ScopedKey root =
      platform::ScopedKey::Open(registry, platform::kHKeyLocalMachine, "");
  if (!root) return;
  const platform::ScopedKey acad = platform::ScopedKey::OpenForRead(registry, root.get(), baseKey);
  if (!acad) return;
  for (const auto& releaseName : ReadSubKeyNames(registry, acad.get())) {
    ScanRelease(registry, found, acad.get(), baseKey, releaseName, lastYear);
  }
}

}  // namespace

namespace discovery {

Installations FindInstallations(platform::RegistryPort& registry) {
  Installations found;
  ScanReleases(registry, "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD", kLastWow64Year, &found);
  ScanReleases(registry, "SOFTWARE\\Autodesk\\AutoCAD", base::kLastReleaseYear, &found);
  return found;
}

}  // namespace discovery
