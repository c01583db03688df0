#pragma once
// The offer of administrator rights before an install writes anything: a
// double-clicked program runs with a filtered token even for an
// administrator, and then cannot write the demand-load keys below
// HKEY_LOCAL_MACHINE nor into a host folder below Program Files.

#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "platform/platform.h"

namespace install {

enum class Elevation {
  kNotNeeded,     // elevated already, or every ticked release's key and folder can be written
  kDeclined,      // the user wants the install as it is
  kRestarted,     // a copy running as administrator did the machine-wide steps and has ended
  kRestartFailed  // refused or cancelled: the user has been told
};

// When the process is not elevated and the product key or host folder of a
// ticked release refuses writing (access denied), asks whether to start
// again as administrator and does so on Yes: a copy of the program with
// /ELEVATED, the checked `folder`, the ticks and the log's full path, which
// does the machine-wide steps. Waits for it; `exitCode` is then its exit
// code. The current user's steps are left to the caller: the copy may run as
// another account. A composed command line that would not parse back to the
// same options is refused as the folder is.
Elevation OfferElevation(platform::Platform& platform, const base::Installations& installations,
                         const std::string& folder, const base::ReleaseTicks& ticks,
                         const std::string& logFile, int* exitCode);

}  // namespace install
