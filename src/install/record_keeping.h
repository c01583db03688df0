#pragma once
// What the machine-wide part of an install keeps so that the product can be
// removed again: the record in the install folder, carried over from an
// earlier install; the uninstaller and the Programs and Features entry; and,
// once an install elsewhere has completed, the removal of the folder it
// took over from.

#include <cstdint>
#include <string>

#include "base/installations.h"
#include "base/text.h"
#include "install/install_outcome.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "platform/platform.h"

namespace install {

// The record of an install into `installPath`, written anew from the record
// already there, the host files of the installation the entry names when
// that is another folder (which the record then names as abandoned), and
// `createdFolders`. Its writer adds the install's lines; a record that could
// not be written anew is its writer's error.
RecordWriter StartRecord(platform::Platform& platform, const std::string& installPath,
                         const base::TextList& createdFolders);

// Copies the running program into `installPath` as the uninstaller and,
// when it is there, writes the entry; the product files took `productBytes`.
void RegisterUninstall(platform::Platform& platform, const std::string& installPath,
                       const ProductIdentity& identity, std::uint64_t productBytes,
                       HostFailures* failures);

// Removes, as far as `part` reaches, each installation the record in
// `installPath` names as abandoned; its host files and entry now belong to
// this one.
void RemoveAbandonedInstalls(platform::Platform& platform, const base::Installations& installations,
                             const std::string& installPath, InstallPart part,
                             HostFailures* failures);

}  // namespace install
