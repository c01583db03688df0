#pragma once
// What the setup dialog shows at its start, worked out from the build
// constants and the releases that host discovery found.

#include <array>
#include <cstddef>
#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/product_entry.h"

namespace ui {

// Releases withdrawn from a 32-bit build: this year and every later one.
constexpr int kFirst64BitOnlyYear = 2017;

// "批打印软件 V<major>.<minor>.<patch>", minor and patch with two digits at least.
std::string ComposeVersionTitle(int productVersion);

// "( <bitness>位 AutoCAD版 )".
std::string ComposeBitnessCaption(int acadBitness);

// What Programs and Features shows: the title and the bitness caption, and
// the version as "<major>.<minor>.<patch>", minor and patch with two digits.
install::ProductIdentity ComposeProductIdentity(int productVersion, int acadBitness);

struct ReleaseBoxState {
  bool enabled;  // the release was found
  bool visible;  // the release is served by this build
  int tick;      // 1: the install serves this release
};

// Index: release year - 2007.
using ReleaseFolderCounts = std::array<std::size_t, base::kReleaseCount>;
using ReleaseBoxStates = std::array<ReleaseBoxState, base::kReleaseCount>;

// The number of discovered installation folders of every release.
ReleaseFolderCounts CountReleaseFolders(const base::Installations& installations);

// A release is enabled and ticked exactly when it has a folder; a 32-bit
// build hides and unticks the releases from 2017 on, found or not.
ReleaseBoxStates InitialReleaseBoxes(const ReleaseFolderCounts& folderCounts, int acadBitness);

// Install can run only when some release is ticked.
bool AnyReleaseTicked(const base::ReleaseTicks& ticks);

}  // namespace ui
