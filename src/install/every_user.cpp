#include "install/every_user.h"

#include <algorithm>
#include <map>

#include "base/bounded_format.h"
#include "base/utf8.h"
#include "install/product_copier.h"
#include "install/profiles.h"
#include "install/trusted_paths.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

namespace install {

namespace {

constexpr char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::size_t kPathValueCapacity = 1024;  // UTF-16 units

bool IsOrdinaryUser(const std::string& sid) {
  // "S-1-5-21-...-1001.bak" is a profile Windows set aside: not a user's.
  const bool setAside = sid.size() > 4 && sid.compare(sid.size() - 4, 4, ".bak") == 0;
  return !setAside && (sid.rfind("S-1-5-21-", 0) == 0 || sid.rfind("S-1-12-1-", 0) == 0);
}

// `text` with each %NAME% replaced by the variable's value; false when a
// variable is not set.
bool Expanded(platform::EnvironmentPort& environment, const std::string& text,
              std::string* expanded) {
  expanded->clear();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      *expanded += text.substr(at);
      return true;
    }
    std::string value;
    if (!environment.GetVariable(text.substr(open + 1, close - open - 1), &value)) return false;
    *expanded += text.substr(at, open - at) + value;
    at = close + 1;
  }
  return true;
}

// The user's roaming application data: the hive's shell-folder value, or,
// for a user who never logged on since, the profile folder's AppData\Roaming.
std::string RoamingAppData(platform::RegistryPort& registry, const UserHive& hive,
                           const UserProfile& user) {
  const platform::ScopedKey folders =
      platform::ScopedKey::OpenForRead(registry, hive.Root(), kShellFolders);
  std::string appData;
  if (folders &&
      platform::ReadValueText(registry, folders.get(), "AppData", kPathValueCapacity, &appData) ==
          kErrorSuccess &&
      !appData.empty()) {
    return appData;
  }
  return user.folder + "\\AppData\\Roaming";
}

// The settings file into the user's %APPDATA%\Brenix: 0, or why not.
long CopySettings(platform::Platform& platform, const std::string& source,
                  const std::string& appData) {
  base::PathBuffer folder, destination;
  if (base::FormatPath(folder, "%s\\%s", appData.c_str(), kSettingsFolderName) < 0 ||
      base::FormatPath(destination, "%s\\%s", folder, kSettingsFileName) < 0) {
    return kErrorFilenameTooLong;
  }
  platform.files.CreateDir(folder);  // it may exist already
  if (platform.files.CopyOver(source, destination)) return kErrorSuccess;
  return static_cast<long>(platform.files.LastError());
}

// Keeps `result` in `*error` unless it holds a failure already.
void KeepFirst(long* error, long result) {
  if (*error == kErrorSuccess) *error = result;
}

}  // namespace

std::vector<UserProfile> MachineUsers(platform::Platform& platform, long* error) {
  *error = kErrorSuccess;
  std::vector<UserProfile> users;
  const platform::ScopedKey list = platform::ScopedKey::OpenForRead(
      platform.registry, platform::kHKeyLocalMachine, kProfileList, error);
  if (!list) return users;
  for (const std::string& sid : platform::ReadSubKeyNames(platform.registry, list.get(), error)) {
    if (!IsOrdinaryUser(sid)) continue;
    const platform::ScopedKey profile =
        platform::ScopedKey::OpenForRead(platform.registry, list.get(), sid);
    std::string stored, folder;
    if (profile &&
        platform::ReadValueText(platform.registry, profile.get(), "ProfileImagePath",
                                kPathValueCapacity, &stored) == kErrorSuccess &&
        !stored.empty() && Expanded(platform.environment, stored, &folder)) {
      users.push_back({sid, folder});
    }
  }
  return users;
}

EveryUserResult ServeEveryUser(platform::Platform& platform, const std::string& installFolder,
                               const std::string& settingsSource, RecordWriter* record) {
  EveryUserResult result;
  std::u16string folder;
  if (!base::Utf8ToUtf16(installFolder, &folder)) {
    result.failures.push_back(
        {0, HostStep::kUserProfile, installFolder, kErrorNoUnicodeTranslation});
    return result;
  }
  long listed = kErrorSuccess;
  const std::vector<UserProfile> users = MachineUsers(platform, &listed);
  if (listed != kErrorSuccess) {
    result.failures.push_back(
        {0, HostStep::kUserProfile, std::string("HKEY_LOCAL_MACHINE\\") + kProfileList, listed});
  }
  // A hive that is not loaded can only be loaded with these; without them
  // the load fails and says so, while logged-on users are still reached.
  platform.processes.EnableHivePrivileges();
  for (const UserProfile& user : users) {
    const auto fail = [&](long error) {
      result.failures.push_back({0, HostStep::kUserProfile, UserName(user), error});
    };
    UserHive hive(platform.registry, user);
    if (!hive.Root()) {
      fail(hive.Error());
      continue;
    }
    long error = kErrorSuccess;
    for (const std::string& key : ProfileVariablesKeys(platform.registry, &error, hive.Root())) {
      const long trusted = TrustFolder(platform.registry, key, folder, hive.Root());
      KeepFirst(&error, trusted);
      if (trusted == kErrorSuccess && record) record->UserProfile({user.sid, user.folder, key});
      result.anyProfile = result.anyProfile || trusted == kErrorSuccess;
    }
    if (!settingsSource.empty()) {
      const long copied =
          CopySettings(platform, settingsSource, RoamingAppData(platform.registry, hive, user));
      KeepFirst(&error, copied);
    }
    const long released = hive.Release();
    KeepFirst(&error, released);
    if (error != kErrorSuccess) fail(error);
  }
  return result;
}

HostFailures ForsakeEveryUser(platform::Platform& platform,
                              const std::vector<RecordedUserProfile>& profiles,
                              const base::TextList& folders) {
  std::map<std::string, std::vector<const RecordedUserProfile*>> byUser;
  for (const RecordedUserProfile& profile : profiles) byUser[profile.sid].push_back(&profile);
  std::vector<std::u16string> wideFolders;
  for (const std::string& folder : folders) {
    std::u16string wide;
    if (base::Utf8ToUtf16(folder, &wide)) wideFolders.push_back(wide);
  }
  HostFailures failures;
  if (!byUser.empty()) platform.processes.EnableHivePrivileges();
  for (const auto& [sid, keys] : byUser) {
    const UserProfile user{sid, keys.front()->folder};
    UserHive hive(platform.registry, user);
    long error = hive.Error();
    for (const RecordedUserProfile* profile : keys) {
      for (const std::u16string& folder : wideFolders) {
        if (!hive.Root()) break;
        const long result =
            DistrustFolder(platform.registry, profile->variablesKey, folder, hive.Root());
        KeepFirst(&error, result);
      }
    }
    const long released = hive.Release();
    KeepFirst(&error, released);
    if (error != kErrorSuccess)
      failures.push_back({0, HostStep::kUserProfile, UserName(user), error});
  }
  return failures;
}

}  // namespace install
