// Discovery over the in-memory registry: the time per key below the AutoCAD
// base key, from a thousand keys to a hundred thousand, on a tree shaped like
// a host machine's and on one pathological shape.

#include <benchmark/benchmark.h>

#include <string>

#include "base/installations.h"
#include "discovery/host_discovery.h"
#include "support/fake_platform.h"

namespace {

constexpr char kBase[] = "SOFTWARE\\Autodesk\\AutoCAD\\";

// Nineteen release keys with products round robin; every other product is
// installed (both values, and Applications and Profiles sub-keys beside
// them), the others are left-overs without values and a deep sub-tree that
// the walk has to go down. About `keys` keys in all.
void GrowHostLikeTree(FakeRegistry& registry, int keys) {
  constexpr int kKeysPerProduct = 6;
  for (int product = 0; product * kKeysPerProduct < keys; ++product) {
    const int year = base::kFirstReleaseYear + product % base::kReleaseCount;
    const std::string key = kBase + std::string("R") + std::to_string(year - 1990) + ".0\\ACAD-" +
                            std::to_string(product) + ":804";
    if (product % 2 == 0) {
      registry.SetString(platform::kHKeyLocalMachine, key, "AcadLocation",
                         "C:\\Cad" + std::to_string(product));
      registry.SetString(platform::kHKeyLocalMachine, key, "ProductName",
                         "AutoCAD " + std::to_string(year));
      for (const char* sub :
           {"\\Applications\\A", "\\Applications\\B", "\\Profiles\\P", "\\Install"})
        registry.AddKey(platform::kHKeyLocalMachine, key + sub);
    } else {
      registry.AddKey(platform::kHKeyLocalMachine, key + "\\a\\b\\c\\d\\e");
    }
  }
}

// Thousands of products in one release key, each holding one of the two
// values: the walk reads both values of every key and finds no installation.
void GrowWideRelease(FakeRegistry& registry, int keys) {
  for (int product = 0; product < keys; ++product) {
    const std::string key = kBase + std::string("R24.0\\ACAD-") + std::to_string(product);
    registry.SetString(platform::kHKeyLocalMachine, key,
                       product % 2 ? "AcadLocation" : "ProductName", "AutoCAD 2021");
  }
}

template <void (*Grow)(FakeRegistry&, int)>
void Discovery(benchmark::State& state) {
  FakePlatform fake;
  const int keys = static_cast<int>(state.range(0));
  Grow(fake.registry, keys);
  for (auto _ : state) {
    const base::Installations setup = discovery::FindInstallations(fake.registry);
    benchmark::DoNotOptimize(setup.HostFolders(2020).size());
  }
  // Reported as keys per second: its inverse is the time per key.
  state.SetItemsProcessed(state.iterations() * keys);
}

BENCHMARK_TEMPLATE(Discovery, GrowHostLikeTree)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Discovery, GrowWideRelease)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
