#pragma once
// What an install could not do, kept so that the user (or the log) is told:
// each host step that failed, with the Windows error code, and the product
// files the user chose to leave out.

#include <string>
#include <vector>

#include "platform/error_text.h"

namespace install {

enum class HostStep {
  kDemandLoad,    // the demand-load keys below one product key
  kSupportFiles,  // fonts, libraries and driver into one host folder
  kTrustedPaths,  // the install folder in one profile's TRUSTEDPATHS
  kUninstall,     // the record, the uninstaller or the Programs and Features entry
  kOldInstall,    // what stays of an earlier install in another folder
  kUserProfile,   // one user's profiles and settings file, when serving every user
};

struct HostFailure {
  int year;  // the release; 0 for a profile's trusted paths or a user
  HostStep step;
  std::string target;  // the product key, host folder, profile key, file or key concerned
  long error;          // the Windows error code
};

using HostFailures = std::vector<HostFailure>;

struct InstallOutcome {
  HostFailures failures;
  std::vector<std::string> ignoredFiles;  // destinations the user chose to leave out
  // Serving every user, no user of the machine had an AutoCAD profile: not
  // a failure (AutoCAD creates the profile at its first start), but worth
  // telling.
  bool noUserProfile = false;

  bool Complete() const { return failures.empty() && ignoredFiles.empty(); }
};

}  // namespace install
