#pragma once
// Fonts, libraries and the plot driver copied into every installation of
// every ticked release whose folder is an absolute path. A copy that cannot
// be made is left out and the rest go on; the failure names the host
// folder. A file the payload does not hold is simply not copied. No folder
// is created. Each file copied is added to `record`, when given, as created
// or replaced.

#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/install_outcome.h"
#include "install/install_record.h"
#include "platform/platform.h"

namespace install {

HostFailures DeploySupportFiles(platform::Platform& platform,
                                const base::Installations& installations,
                                const base::ReleaseTicks& ticks, RecordWriter* record = nullptr);

}  // namespace install
