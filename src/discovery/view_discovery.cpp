#include "discovery/view_discovery.h"

#include "app/setup_state.h"

namespace discovery {

bool FindsAcadInstallations(const Platform& platform, RegistryPort& view) {
  Platform viewed{view, platform.files, platform.environment, platform.processes, platform.prompt};
  SetupState found(viewed);
  found.FindAcadReleases();
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    if (!found.AcadDirs(year).empty()) return true;
  }
  return false;
}

}  // namespace discovery
