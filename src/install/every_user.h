#pragma once
// The per-user half of an install for every user of the machine, as a
// deployment by the local system account needs it: the install folder in
// the trusted paths of each user's AutoCAD profiles, and the settings file
// in each user's roaming application data; and taking the folder out of
// those profiles again at the uninstall.

#include <string>
#include <vector>

#include "install/install_outcome.h"
#include "install/install_record.h"
#include "install/user_hive.h"
#include "platform/platform.h"

namespace install {

// The ordinary users of the machine, as the profile list names them: local
// and domain accounts (S-1-5-21-...) and Azure AD ones (S-1-12-1-...), not
// the service accounts. A profile folder naming an environment variable
// that is not set is left out. `error` receives the first failure to read
// the list; 0 when there was none.
std::vector<UserProfile> MachineUsers(platform::Platform& platform, long* error);

struct EveryUserResult {
  HostFailures failures;    // per user that could not be reached or served
  bool anyProfile = false;  // whether some user has an AutoCAD profile
};

// Trusts `installFolder` in every AutoCAD profile of every user and copies
// the settings file `settingsSource` (none when empty) into each user's
// %APPDATA%\Brenix, recording each profile served.
EveryUserResult ServeEveryUser(platform::Platform& platform, const std::string& installFolder,
                               const std::string& settingsSource, RecordWriter* record);

// Takes each of `folders` out of the recorded users' profiles: one failure
// per user whose profiles still trust one of them.
HostFailures ForsakeEveryUser(platform::Platform& platform,
                              const std::vector<RecordedUserProfile>& profiles,
                              const base::TextList& folders);

}  // namespace install
