#pragma once
// Registration of the product with the hosts: demand-load application keys
// below each chosen installation's product key, and the install folder in
// every AutoCAD profile's trusted paths. Each step returns what it could
// not do.

#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/install_outcome.h"
#include "install/install_record.h"
#include "platform/environment_port.h"
#include "platform/registry_port.h"

namespace install {

// The demand-load keys of every installation of the ticked releases: the
// native module from `installFolder`, the managed library from the host
// folder. Each key written is added to `record`, when given.
HostFailures RegisterDemandLoad(platform::RegistryPort& registry,
                                const base::Installations& installations,
                                const base::ReleaseTicks& ticks, const std::string& installFolder,
                                RecordWriter* record = nullptr);

// `installFolder` in the TRUSTEDPATHS of every profile of every release of
// the current user, ticked or not; each profile that trusts it is added to
// `record`, when given.
HostFailures TrustInstallFolder(platform::RegistryPort& registry, const std::string& installFolder,
                                RecordWriter* record = nullptr);

// The application keys, below a product key, that load a release's native
// module and its managed library; the native module's file name.
std::string NativeApplicationKey(int releaseYear);
std::string ManagedApplicationKey(int releaseYear);
// Empty for a year that is not a release.
std::string NativeModuleName(int releaseYear);

}  // namespace install
