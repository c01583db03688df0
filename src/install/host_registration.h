#pragma once
// Registration of the product with the hosts: demand-load application keys
// below each chosen installation's product key, and the install folder in
// every AutoCAD profile's trusted paths. Each step returns what it could
// not do.

#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/install_outcome.h"
#include "platform/environment_port.h"
#include "platform/registry_port.h"

namespace install {

// The demand-load keys of every installation of the ticked releases: the
// native module from `installFolder`, the managed library from the host
// folder.
HostFailures RegisterDemandLoad(platform::RegistryPort& registry,
                                const base::Installations& installations,
                                const base::ReleaseTicks& ticks, const std::string& installFolder);

// `installFolder` in the TRUSTEDPATHS of every profile of every release of
// the current user, ticked or not.
HostFailures TrustInstallFolder(platform::RegistryPort& registry,
                                platform::EnvironmentPort& environment,
                                const std::string& installFolder);

}  // namespace install
