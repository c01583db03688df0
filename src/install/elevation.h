#pragma once
// The offer of administrator rights before an install writes anything: a
// double-clicked program runs with a filtered token even for an
// administrator, and then cannot write the demand-load keys below
// HKEY_LOCAL_MACHINE nor into a host folder below Program Files.

#include <string>

#include "app/release_years.h"
#include "app/setup_state.h"

namespace install {

enum class Elevation {
  kNotNeeded,     // elevated already, or every ticked release's key and folder can be written
  kDeclined,      // the user wants the install as it is
  kRestarted,     // the program runs again as administrator: this one ends, writing nothing
  kRestartFailed  // refused or cancelled: the user has been told
};

// When the process is not elevated and the product key or host folder of a
// ticked release refuses writing (access denied), asks whether to start
// again as administrator, with `folder` and the ticks on the new command
// line, and does so on Yes.
Elevation OfferElevation(SetupState& state, const std::string& folder, const ReleaseTicks& ticks);

}  // namespace install
