#pragma once
// The product's entry in Programs and Features (the Uninstall key), which
// deployment and inventory tools read too: written after the product copy,
// found again by an uninstall or a later install, removed by the uninstall.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/environment_port.h"
#include "platform/registry_port.h"

namespace install {

constexpr char kProductEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B-PlotSweep";

// HKEY_LOCAL_MACHINE as a key written in `view` must be opened again.
platform::RegKey MachineRootOfView(int view);

struct ProductIdentity {
  std::string displayName;  // the title with its version, and the bitness caption
  std::string version;      // "2025.03.01"
};

// The entry for the install folder `installFolder`, whose files take
// `bytes`: below HKEY_LOCAL_MACHINE in this program's view, or below
// HKEY_CURRENT_USER when that refuses writing. An entry of the product in
// another place (the other view, the other root) is removed: there is one
// installation. 0, or why the entry could not be written.
long WriteProductEntry(platform::RegistryPort& registry, platform::EnvironmentPort& environment,
                       const ProductIdentity& identity, const std::string& installFolder,
                       std::uint64_t bytes);

struct ProductEntry {
  platform::RegKey root;      // where it was found
  std::string installFolder;  // its InstallLocation
};

// The first entry found: HKEY_LOCAL_MACHINE in this program's view, in the
// other view, then HKEY_CURRENT_USER; an entry without an absolute
// InstallLocation does not count.
std::optional<ProductEntry> FindProductEntry(platform::RegistryPort& registry);

// Removes every entry whose InstallLocation is `installFolder` (ignoring
// ASCII case). 0, or the first failure.
long RemoveProductEntries(platform::RegistryPort& registry, const std::string& installFolder);

// The path of the uninstaller in `installFolder`; the arguments it runs with.
std::string UninstallerPath(const std::string& installFolder);
std::string UninstallCommand(const std::string& installFolder, bool quiet);

}  // namespace install
