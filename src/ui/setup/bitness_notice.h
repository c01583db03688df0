#pragma once
// A 32-bit setup program started on a machine whose AutoCAD is 64-bit finds
// nothing to install: it says that the 64-bit setup program is needed.

#include "platform/platform.h"
#include "ui/setup/setup_dialog_model.h"

namespace ui {

// Shows the notice (caption "B-软件安装", warning icon) when this program is
// the 32-bit one, serves none of the releases it found, and discovery over
// the 64-bit registry view (`view64`, null when there is none) finds an
// installation. True when it was shown.
bool NoticeIfHostsNeed64BitSetup(const platform::Platform& platform, const ReleaseBoxStates& boxes,
                                 int acadBitness, platform::RegistryPort* view64);

}  // namespace ui
