#pragma once
// Fonts, libraries and the plot driver copied into every installation of
// every ticked release whose folder is an absolute path. A copy that cannot
// be made is left out and the rest go on; the failure names the host
// folder. A file the payload does not hold is simply not copied. No folder
// is created.

#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/install_outcome.h"
#include "platform/platform.h"

namespace install {

HostFailures DeploySupportFiles(platform::Platform& platform,
                                const base::Installations& installations,
                                const base::ReleaseTicks& ticks);

// One host folder; the driver too with `withDriver`. 0 when every file the
// payload holds arrived; otherwise the first error.
long CopySupportFiles(platform::Platform& platform, const std::string& hostFolder, bool withDriver);

}  // namespace install
