#pragma once
// Copies the product's own files from the payload folder into the install
// folder, and its settings file into the user's settings folder.

#include <cstdint>
#include <string>

#include "base/text.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "platform/platform.h"
#include "platform/progress_port.h"

namespace install {

// The settings file, and the folder in a user's %APPDATA% it goes to.
constexpr char kSettingsFileName[] = "Brenix.Ini";
constexpr char kSettingsFolderName[] = "Brenix";

class ProductCopier {
 public:
  // `folder` is the install folder; one trailing backslash is dropped.
  // `progress` is stepped once per payload entry examined and once at the end.
  // `scope` says whether the settings file, the other files or both are
  // copied, and names the log, which is never copied. Each product file
  // copied into `folder` is added to `record`, when given.
  ProductCopier(std::string folder, platform::ProgressPort* progress, platform::Platform& platform,
                install::InstallScope scope = {}, RecordWriter* record = nullptr);

  // Copies every file that lies directly in the payload folder, except the
  // setup program, the files meant for the hosts and the log; a failed copy asks
  // Abort, Retry or Ignore. True when the walk ended; false when there is no
  // payload (the user has been told) or the user chose Abort.
  bool CopyProduct();

  std::string m_target;
  platform::ProgressPort* m_progress;
  // The files the user chose to ignore when their copy failed.
  base::TextList m_ignoredFiles;
  // The size of the product files copied into the install folder.
  std::uint64_t m_copiedBytes = 0;
  // The payload's settings file, when the scope gives it to every user
  // rather than copying it for the running account; empty otherwise.
  std::string m_everyUsersSettings;

 private:
  platform::Platform& m_platform;
  install::InstallScope m_scope;
  RecordWriter* m_record;
};

}  // namespace install
