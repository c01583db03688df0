// Discovery visits each key once for both values; on generated registries its
// result equals that of a plain search per value.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/installations.h"
#include "discovery/host_discovery.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"
#include "support/fake_platform.h"

using platform::ReadSubKeyNames;
using platform::ReadValueText;

namespace {

constexpr char kBase[] = "SOFTWARE\\Autodesk\\AutoCAD";
constexpr char kWowBase[] = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD";

struct Found {
  std::string key;
  std::string value;
};

// One value's depth-first search from `key`, as a walk of its own.
void SearchValue(platform::RegistryPort& registry, platform::RegKey key, const std::string& path,
                 const char* value, std::vector<Found>* found) {
  std::string text;
  if (ReadValueText(registry, key, value, 256, &text) == kErrorSuccess) {
    found->push_back({path, text});
    return;
  }
  for (const auto& name : ReadSubKeyNames(registry, key)) {
    const platform::ScopedKey sub = platform::ScopedKey::OpenForRead(registry, key, name);
    if (sub) SearchValue(registry, sub.get(), path + name + "\\", value, found);
  }
}

// What discovery must record: per release key, a search per value, and an
// installation for each key found by both whose product name names a year.
void ReferenceDiscovery(platform::RegistryPort& registry, const std::string& base, int lastYear,
                        base::Installations* state) {
  const platform::ScopedKey baseKey =
      platform::ScopedKey::OpenForRead(registry, platform::kHKeyLocalMachine, base);
  if (!baseKey) return;
  for (const auto& release : ReadSubKeyNames(registry, baseKey.get())) {
    const std::string prefix = base + "\\" + release + "\\";
    const platform::ScopedKey key =
        platform::ScopedKey::OpenForRead(registry, baseKey.get(), release);
    if (prefix.size() >= 260 || !key) continue;
    std::vector<Found> locations, names;
    SearchValue(registry, key.get(), prefix, "AcadLocation", &locations);
    SearchValue(registry, key.get(), prefix, "ProductName", &names);
    for (const Found& location : locations) {
      for (const Found& name : names) {
        if (name.key != location.key) continue;
        for (int year = base::kFirstReleaseYear; year <= lastYear; ++year) {
          const std::size_t at = name.value.find(std::to_string(year));
          if (at == std::string::npos || at == 0) continue;
          state->ProductKeys(year).push_back(location.key);
          state->HostFolders(year).push_back(location.value);
          break;
        }
      }
    }
  }
}

// A random tree below `path`: deep or wide, values at any depth, now and then
// a key name or a value that does not fit.
void Grow(FakeRegistry& registry, std::mt19937& random, const std::string& path, int depth) {
  auto chance = [&random](int percent) { return static_cast<int>(random() % 100) < percent; };
  registry.AddKey(platform::kHKeyLocalMachine, path);
  if (chance(25)) {
    registry.SetString(platform::kHKeyLocalMachine, path, "AcadLocation",
                       chance(5) ? std::string(300, 'L') : "C:\\A" + std::to_string(random() % 9));
  }
  if (chance(25)) {
    registry.SetString(platform::kHKeyLocalMachine, path, "ProductName",
                       "AutoCAD " + std::to_string(2006 + random() % 21));
  }
  const int children = depth >= 5 ? 0 : static_cast<int>(random() % 4);
  for (int i = 0; i < children; ++i) {
    const std::string name = chance(3) ? std::string(300, 'K') : "K" + std::to_string(i);
    Grow(registry, random, path + "\\" + name, depth + 1);
  }
}

TEST(OneWalk, MatchesASearchPerValueOnGeneratedRegistries) {
  std::size_t installations = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    FakePlatform fake;
    std::mt19937 random(seed);
    for (const char* base : {kBase, kWowBase}) {
      for (int release = 0; release < 3; ++release) {
        Grow(fake.registry, random, std::string(base) + "\\R" + std::to_string(release), 1);
      }
    }
    const base::Installations discovered = discovery::FindInstallations(fake.registry);
    base::Installations expected;
    ReferenceDiscovery(fake.registry, kWowBase, 2008, &expected);
    ReferenceDiscovery(fake.registry, kBase, base::kLastReleaseYear, &expected);
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      ASSERT_EQ(expected.ProductKeys(year), discovered.ProductKeys(year)) << "seed " << seed;
      ASSERT_EQ(expected.HostFolders(year), discovered.HostFolders(year)) << "seed " << seed;
      installations += discovered.HostFolders(year).size();
    }
    EXPECT_EQ(0, fake.registry.OpenHandleCount());
  }
  EXPECT_GT(installations, 100u) << "the trees hold too few installations to compare";
}

TEST(OneWalk, OpensEachKeyOnce) {
  FakePlatform fake;
  const std::string release = std::string(kBase) + "\\R24.0";
  for (const char* path : {"\\A\\B\\C", "\\A\\D", "\\E"})
    fake.registry.AddKey(platform::kHKeyLocalMachine, release + path);
  fake.registry.SetString(platform::kHKeyLocalMachine, release + "\\A\\D", "AcadLocation",
                          "C:\\Cad");
  const base::Installations state = discovery::FindInstallations(fake.registry);
  // The root once per view, the base key, the release key and the five keys below it.
  EXPECT_EQ(2 + 1 + 1 + 5, fake.registry.OpenCount());
}

}  // namespace
