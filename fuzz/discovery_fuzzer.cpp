// Discovery over a registry tree decoded from the input: names and values of
// any bytes (multi-byte UTF-8 and ill-formed sequences among them), at
// and beyond their buffers, of any type, with or without their NUL, nested
// as deep as the input says.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/installations.h"
#include "discovery/host_discovery.h"
#include "fuzz/fuzz_input.h"
#include "support/fake_platform.h"

namespace {

constexpr const char* kBases[] = {"SOFTWARE\\Autodesk\\AutoCAD",
                                  "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD"};

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  FakePlatform fake;
  std::string path = kBases[input.Byte() % 2];
  fake.registry.AddKey(platform::kHKeyLocalMachine, path);
  while (!input.empty()) {
    switch (input.Byte() % 5) {
      case 0:  // a sub-key below the current key
      case 1:
        path += "\\" + input.Text(300);
        fake.registry.AddKey(platform::kHKeyLocalMachine, path);
        break;
      case 2:  // back up one level
        path = path.substr(0, path.find_last_of('\\'));
        break;
      case 3: {  // a value of any type and bytes
        const std::string name = input.Byte() % 2 ? "AcadLocation" : "ProductName";
        fake.registry.SetRaw(platform::kHKeyLocalMachine, path, name, input.Byte() % 8,
                             input.Text(300));
        break;
      }
      default:  // another base key
        path = kBases[input.Byte() % 2];
    }
  }
  const base::Installations state = discovery::FindInstallations(fake.registry);
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    Check(state.ProductKeys(year).size() == state.HostFolders(year).size());
    for (const std::string& key : state.ProductKeys(year)) {
      Check(!key.empty() && key.back() == '\\');
      Check(key.compare(0, 8, "SOFTWARE") == 0);
    }
  }
  Check(fake.registry.OpenHandleCount() == 0);
  return 0;
}
