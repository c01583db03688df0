#include "ui/setup/setup_choice.h"

#include <algorithm>

namespace ui {

bool ChooseSetup(const base::CommandLine& line, const base::Installations& installations,
                 int acadBitness, SetupChoice* choice, std::string* problem) {
  choice->boxes = InitialReleaseBoxes(CountReleaseFolders(installations), acadBitness);
  if (line.folder) choice->folder = *line.folder;
  choice->logFile = line.logFile.value_or("");
  if (!line.ReleasesGiven()) return true;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    ReleaseBoxState& box = choice->boxes[base::ReleaseIndex(year)];
    const bool asked = line.allReleases || std::find(line.releases.begin(), line.releases.end(),
                                                     year) != line.releases.end();
    const bool offered = box.enabled && box.visible;
    if (asked && !offered && !line.allReleases) {
      *problem = "/R=" + std::to_string(year);
      return false;
    }
    box.tick = asked && offered ? 1 : 0;
  }
  return true;
}

}  // namespace ui
