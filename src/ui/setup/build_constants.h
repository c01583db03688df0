#pragma once
// Values fixed when the program is built.

#include "ui/setup/version.h"

namespace ui {

// Product version: major * 10000 + minor * 100 + patch.
constexpr int kProductVersion =
    SETUP_VERSION_MAJOR * 10000 + SETUP_VERSION_MINOR * 100 + SETUP_VERSION_PATCH;

// Bitness of the AutoCAD releases this build serves, as the dialog shows it:
// the bitness of the program itself, since a process reads by default the
// registry view of its own bitness, where hosts of that bitness are
// registered. 32 also withdraws the releases from 2017 on from the dialog.
#ifdef _WIN64
constexpr int kAcadBitness = 64;
#else
constexpr int kAcadBitness = 32;
#endif

}  // namespace ui
