#include "ui/setup/setup_dialog_model.h"

#include <algorithm>

#include "base/bounded_format.h"

using base::FormatText;

namespace ui {

namespace {

// "<major>.<minor>.<patch>", minor and patch with two digits at least.
std::string ComposeVersion(int productVersion) {
  const int major = productVersion / 10000;
  const int minor = (productVersion - major * 10000) / 100;
  const int patch = productVersion - (major * 100 + minor) * 100;
  const std::string version = FormatText(minor < 10 ? "%d.0%d" : "%d.%d", major, minor);
  return FormatText(patch < 10 ? "%s.0%d" : "%s.%d", version.c_str(), patch);
}

}  // namespace

std::string ComposeVersionTitle(int productVersion) {
  return "批打印软件 V" + ComposeVersion(productVersion);
}

install::ProductIdentity ComposeProductIdentity(int productVersion, int acadBitness) {
  return {ComposeVersionTitle(productVersion) + " " + ComposeBitnessCaption(acadBitness),
          ComposeVersion(productVersion)};
}

std::string ComposeBitnessCaption(int acadBitness) {
  return FormatText("( %d位 AutoCAD版 )", acadBitness);
}

ReleaseFolderCounts CountReleaseFolders(const base::Installations& installations) {
  ReleaseFolderCounts counts{};
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    counts[base::ReleaseIndex(year)] = installations.HostFolders(year).size();
  }
  return counts;
}

ReleaseBoxStates InitialReleaseBoxes(const ReleaseFolderCounts& folderCounts, int acadBitness) {
  ReleaseBoxStates boxes{};
  for (int k = 0; k < base::kReleaseCount; ++k) {
    const bool found = folderCounts[k] > 0;
    const bool served = acadBitness != 32 || base::ReleaseYear(k) < kFirst64BitOnlyYear;
    boxes[k] = ReleaseBoxState{found, served, found && served ? 1 : 0};
  }
  return boxes;
}

bool AnyReleaseTicked(const base::ReleaseTicks& ticks) {
  return std::any_of(ticks.begin(), ticks.end(), [](int tick) { return tick != 0; });
}

}  // namespace ui
