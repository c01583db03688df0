#include "install/product_entry.h"

#include "base/text.h"
#include "base/windows_path.h"
#include "install/install_record.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

using base::EqualsIgnoreCase;

namespace install {

namespace {

constexpr char kPublisher[] = "Brenix";
constexpr std::size_t kLocationCapacity = 1024;

// Where an entry may be, this program's own place first.
constexpr platform::RegKey kEntryRoots[] = {
    platform::kHKeyLocalMachine,
    kOwnRegistryView == 64 ? platform::kHKeyLocalMachine32 : platform::kHKeyLocalMachine64,
    platform::kHKeyCurrentUser,
};

std::string Dword(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

long WriteValues(platform::RegistryPort& registry, platform::RegKey key,
                 platform::EnvironmentPort& environment, const ProductIdentity& identity,
                 const std::string& installFolder, std::uint64_t bytes) {
  const std::uint64_t kib = (bytes + 1023) / 1024;
  const struct {
    const char* name;
    unsigned long type;
    std::string data;
  } values[] = {
      {"DisplayName", platform::kRegSz, identity.displayName + '\0'},
      {"DisplayVersion", platform::kRegSz, identity.version + '\0'},
      {"Publisher", platform::kRegSz, std::string(kPublisher) + '\0'},
      {"InstallLocation", platform::kRegSz, installFolder + '\0'},
      {"UninstallString", platform::kRegSz, UninstallCommand(installFolder, false) + '\0'},
      {"QuietUninstallString", platform::kRegSz, UninstallCommand(installFolder, true) + '\0'},
      {"DisplayIcon", platform::kRegSz, UninstallerPath(installFolder) + '\0'},
      {"EstimatedSize", platform::kRegDword,
       Dword(static_cast<std::uint32_t>(kib > 0xFFFFFFFFu ? 0xFFFFFFFFu : kib))},
      {"InstallDate", platform::kRegSz, environment.LocalDate() + '\0'},
      {"NoModify", platform::kRegDword, Dword(1)},
      {"NoRepair", platform::kRegDword, Dword(1)},
  };
  for (const auto& value : values) {
    const long result = registry.SetValue(key, value.name, value.type, value.data);
    if (result != kErrorSuccess) return result;
  }
  return kErrorSuccess;
}

// The InstallLocation of the entry below `root`: 0, kErrorFileNotFound when
// there is none, or why it could not be read.
long ReadEntryLocation(platform::RegistryPort& registry, platform::RegKey root,
                       std::string* location) {
  location->clear();
  long result = kErrorSuccess;
  const platform::ScopedKey key =
      platform::ScopedKey::OpenForRead(registry, root, kProductEntryKey, &result);
  if (!key) return result;
  return platform::ReadValueText(registry, key.get(), "InstallLocation", kLocationCapacity,
                                 location);
}

std::string EntryLocation(platform::RegistryPort& registry, platform::RegKey root) {
  std::string location;
  ReadEntryLocation(registry, root, &location);
  return location;
}

}  // namespace

platform::RegKey MachineRootOfView(int view) {
  if (view == kOwnRegistryView) return platform::kHKeyLocalMachine;
  return view == 64 ? platform::kHKeyLocalMachine64 : platform::kHKeyLocalMachine32;
}

std::string UninstallerPath(const std::string& installFolder) {
  return installFolder + "\\" + kUninstallerName;
}

std::string UninstallCommand(const std::string& installFolder, bool quiet) {
  return "\"" + UninstallerPath(installFolder) + "\" /U" + (quiet ? " /S" : "");
}

long WriteProductEntry(platform::RegistryPort& registry, platform::EnvironmentPort& environment,
                       const ProductIdentity& identity, const std::string& installFolder,
                       std::uint64_t bytes) {
  long result = kErrorSuccess;
  platform::RegKey written = platform::kHKeyLocalMachine;
  platform::ScopedKey key =
      platform::ScopedKey::Create(registry, written, kProductEntryKey, &result);
  if (result == kErrorAccessDenied) {
    written = platform::kHKeyCurrentUser;
    key = platform::ScopedKey::Create(registry, written, kProductEntryKey, &result);
  }
  if (!key) return result;
  result = WriteValues(registry, key.get(), environment, identity, installFolder, bytes);
  if (result != kErrorSuccess) return result;
  for (platform::RegKey root : kEntryRoots) {
    if (root != written && !EntryLocation(registry, root).empty()) {
      registry.DeleteKey(root, kProductEntryKey);  // the older entry; a failure leaves it shown
    }
  }
  return kErrorSuccess;
}

std::optional<ProductEntry> FindProductEntry(platform::RegistryPort& registry) {
  for (platform::RegKey root : kEntryRoots) {
    const std::string location = EntryLocation(registry, root);
    if (base::IsAbsolutePath(location)) return ProductEntry{root, location};
  }
  return std::nullopt;
}

long RemoveProductEntries(platform::RegistryPort& registry, const std::string& installFolder) {
  long first = kErrorSuccess;
  for (platform::RegKey root : kEntryRoots) {
    std::string location;
    long result = ReadEntryLocation(registry, root, &location);
    if (result == kErrorFileNotFound) continue;
    if (result == kErrorSuccess) {
      if (!EqualsIgnoreCase(location, installFolder)) continue;
      result = registry.DeleteKey(root, kProductEntryKey);
    }
    if (first == kErrorSuccess) first = result;
  }
  return first;
}

}  // namespace install
