#pragma once
// Discovery over another registry view than the program's own.

#include "platform/platform.h"

namespace discovery {

// Whether host discovery, run over the registry seen through `view`, finds
// an AutoCAD installation of any release year.
bool FindsAcadInstallations(const Platform& platform, RegistryPort& view);

}  // namespace discovery
