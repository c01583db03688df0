#include "install/host_registration.h"

#include <cstdint>
#include <optional>
#include <string>

#include "base/bounded_format.h"
#include "base/utf8.h"
#include "base/windows_path.h"
#include "install/profiles.h"
#include "install/trusted_paths.h"
#include "platform/scoped_key.h"

using base::FormatPath;
using base::Installations;
using base::IsAbsolutePath;
using base::PathBuffer;
using install::HostFailures;
using install::HostStep;

namespace {

// The file-name years each release registers: its native module's and its
// managed library's.
struct ReleaseFiles {
  int releaseYear;
  int moduleYear;
  int libraryYear;
};

constexpr ReleaseFiles kReleaseFiles[] = {
    {2007, 2008, 2007}, {2008, 2008, 2007}, {2009, 2009, 2009}, {2010, 2010, 2010},
    {2011, 2010, 2010}, {2012, 2010, 2010}, {2013, 2013, 2013}, {2014, 2013, 2013},
    {2015, 2015, 2013}, {2016, 2015, 2013}, {2017, 2017, 2013}, {2018, 2018, 2013},
    {2019, 2019, 2013}, {2020, 2019, 2013}, {2021, 2021, 2013}, {2022, 2021, 2013},
    {2023, 2021, 2013}, {2024, 2021, 2013}, {2025, 2025, 2013},
};

const ReleaseFiles* FilesOf(int releaseYear) {
  for (const auto& files : kReleaseFiles) {
    if (files.releaseYear == releaseYear) return &files;
  }
  return nullptr;
}

std::string DwordData(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

std::string StringData(const std::string& text) { return text + '\0'; }

// A demand-load application key below a product key.
struct ApplicationKey {
  std::string name;
  std::string loader;
  bool managed;
};

// The key that loads the native module from the install folder, or the
// managed library from the host folder; nothing when a text does not fit.
std::optional<ApplicationKey> ApplicationKeyFor(int releaseYear, bool managed,
                                                const std::string& folder, int fileYear) {
  PathBuffer loader;
  const int loaderLength = managed ? FormatPath(loader, "%s\\ACAD%dP.dll", folder.c_str(), fileYear)
                                   : FormatPath(loader, "%s\\%s", folder.c_str(),
                                                install::NativeModuleName(releaseYear).c_str());
  if (loaderLength < 0) return std::nullopt;
  return ApplicationKey{managed ? install::ManagedApplicationKey(releaseYear)
                                : install::NativeApplicationKey(releaseYear),
                        loader, managed};
}

// Deleting first drops the values of an earlier installation; a key that has
// sub-keys stays, and its values are overwritten. 0, or the first error.
long ReplaceApplicationKey(platform::RegistryPort& registry, platform::RegKey productKey,
                           const ApplicationKey& entry) {
  registry.DeleteKey(productKey, entry.name);
  long result = kErrorSuccess;
  const platform::ScopedKey key =
      platform::ScopedKey::Create(registry, productKey, entry.name, &result);
  if (!key) return result;
  result = registry.SetValue(key.get(), "LOADCTRLS", platform::kRegDword, DwordData(2));
  const long loader =
      registry.SetValue(key.get(), "LOADER", platform::kRegSz, StringData(entry.loader));
  if (result == kErrorSuccess) result = loader;
  if (entry.managed) {
    const long managed = registry.SetValue(key.get(), "MANAGED", platform::kRegDword, DwordData(1));
    if (result == kErrorSuccess) result = managed;
  }
  return result;
}

// The demand-load keys of one release's installations.
void RegisterRelease(platform::RegistryPort& registry, const Installations& installations, int year,
                     const std::string& installFolder, HostFailures* failures,
                     install::RecordWriter* record) {
  const ReleaseFiles* files = FilesOf(year);
  if (!files) return;
  const base::TextList& keys = installations.ProductKeys(year);
  const base::TextList& folders = installations.HostFolders(year);
  for (std::size_t i = 0; i < keys.size() && i < folders.size(); ++i) {
    // Both keys are composed before anything is deleted: a text that does not
    // fit leaves that key's earlier registration in place.
    // The managed library lies in the host folder: without an absolute one
    // the host would look for it in whatever folder is current.
    const auto nativeModule = ApplicationKeyFor(year, false, installFolder, files->moduleYear);
    const auto managedLibrary = IsAbsolutePath(folders[i])
                                    ? ApplicationKeyFor(year, true, folders[i], files->libraryYear)
                                    : std::nullopt;
    long result = kErrorSuccess;
    const platform::ScopedKey productKey =
        platform::ScopedKey::Open(registry, platform::kHKeyLocalMachine, keys[i], &result);
    if (productKey) {
      const auto replace = [&](const ApplicationKey& entry) {
        const long written = ReplaceApplicationKey(registry, productKey.get(), entry);
        if (written == kErrorSuccess && record) {
          record->DemandLoad({install::kOwnRegistryView, year, keys[i], entry.name, entry.loader});
        }
        return written;
      };
      const long native = nativeModule ? replace(*nativeModule) : kErrorFilenameTooLong;
      const long managed =
          managedLibrary ? replace(*managedLibrary)
                         : (IsAbsolutePath(folders[i]) ? kErrorFilenameTooLong : kErrorBadPathname);
      result = native != kErrorSuccess ? native : managed;
    }
    if (result != kErrorSuccess) {
      failures->push_back({year, HostStep::kDemandLoad, keys[i], result});
    }
  }
}

}  // namespace

namespace install {

HostFailures RegisterDemandLoad(platform::RegistryPort& registry,
                                const Installations& installations, const base::ReleaseTicks& ticks,
                                const std::string& installFolder, RecordWriter* record) {
  HostFailures failures;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (ticks[base::ReleaseIndex(year)] != 0) {
      RegisterRelease(registry, installations, year, installFolder, &failures, record);
    }
  }
  return failures;
}

HostFailures TrustInstallFolder(platform::RegistryPort& registry, const std::string& installFolder,
                                RecordWriter* record) {
  // Converted once; a folder that is not well-formed is trusted nowhere.
  std::u16string folder;
  if (!base::Utf8ToUtf16(installFolder, &folder)) {
    return {{0, HostStep::kTrustedPaths, installFolder, kErrorNoUnicodeTranslation}};
  }
  HostFailures failures;
  long listed = kErrorSuccess;
  const base::TextList profiles = ProfileVariablesKeys(registry, &listed);
  if (listed != kErrorSuccess) {
    // A profile that cannot be listed (its name unreadable, or refused) is
    // not trusted: say so rather than pass it over.
    failures.push_back({0, HostStep::kTrustedPaths, "SOFTWARE\\Autodesk\\AutoCAD", listed});
  }
  for (const auto& variablesKey : profiles) {
    const long result = TrustFolder(registry, variablesKey, folder);
    if (result != kErrorSuccess) {
      failures.push_back({0, HostStep::kTrustedPaths, variablesKey, result});
    } else if (record) {
      record->TrustedProfile(variablesKey);
    }
  }
  return failures;
}

std::string NativeApplicationKey(int releaseYear) {
  return "Applications\\BX_PlotSweep" + std::to_string(releaseYear);
}

std::string ManagedApplicationKey(int releaseYear) {
  return "Applications\\Brenix" + std::to_string(releaseYear) + "DLLP";
}

std::string NativeModuleName(int releaseYear) {
  const ReleaseFiles* files = FilesOf(releaseYear);
  return files ? "BX_PlotSweep" + std::to_string(files->moduleYear) + ".ARX" : "";
}

}  // namespace install
