#pragma once
// The record an install leaves in the install folder of what it created or
// changed, so that an uninstall removes exactly that. It is UTF-8 text, one
// item per line, its fields separated by tabs ('%', tab, CR and LF inside a
// field written as %25, %09, %0D, %0A); lines starting with '#' are comments:
//
//   folder        <folder the install created>
//   product-file  <file copied into the install folder>
//   demand-load   <registry view: 32|64> <release year> <product key>
//                 <application key below it> <LOADER written>
//   trusted-paths <profile's Variables key below HKEY_CURRENT_USER>
//   host-file     created|replaced <support file copied into a host folder>
//                 (a replaced file's earlier content is kept beside it, in
//                 "<file>.B-PlotSweep.bak", until the uninstall puts it back)
//   abandoned     <install folder an install elsewhere took over from>
//
// A later install adds its lines to the same record; reading merges them.

#include <string>
#include <vector>

#include "base/text.h"
#include "platform/file_system_port.h"

namespace install {

constexpr char kRecordFileName[] = "InstallRecord.txt";
constexpr char kUninstallerName[] = "Uninstall.exe";
// The running uninstaller's file, moved out of the install folder by the
// copy that removes it.
constexpr char kParkedUninstallerName[] = "Uninstall-removed.exe";

// The registry view this program writes HKEY_LOCAL_MACHINE in: its own.
constexpr int kOwnRegistryView = sizeof(void*) == 8 ? 64 : 32;

struct RecordedKey {
  int view;                 // 32 or 64: the registry view it was written in
  int year;                 // the release
  std::string productKey;   // below HKEY_LOCAL_MACHINE
  std::string application;  // "Applications\..." below the product key
  std::string loader;       // the LOADER written
};

struct RecordedHostFile {
  std::string path;
  bool created;  // no file of that name was there before this product put it there
};

// A profile of another user of the machine that got the install folder.
struct RecordedUserProfile {
  std::string sid;           // the user
  std::string folder;        // the user's profile folder, where the hive file is
  std::string variablesKey;  // below the user's HKEY_USERS key
};

struct InstallRecord {
  base::TextList folders;  // outermost first
  base::TextList productFiles;
  std::vector<RecordedKey> keys;
  base::TextList trustedProfiles;  // the current user's
  std::vector<RecordedUserProfile> userProfiles;
  std::vector<RecordedHostFile> hostFiles;
  base::TextList abandonedFolders;
  bool damaged = false;  // a line could not be understood; the rest was read
};

// The record's path in `installFolder`.
std::string RecordPath(const std::string& installFolder);

// Where a host file's content from before the product replaced it is kept.
std::string BackupPathOf(const std::string& hostFile);

// One record line for the fields given (kind first), without its line end.
std::string RecordLine(const base::TextList& fields);

// The record a text holds, its lines merged: an item named twice is kept
// once (paths and key names compared ignoring ASCII case); a host file once
// created stays created; a key's latest LOADER wins.
InstallRecord ParseRecord(const base::TextList& lines);

// The lines that write `record` again, each item once.
base::TextList RecordLines(const InstallRecord& record);

// Appends the lines of one install to its record file as each item is done,
// so that a stop half-way still leaves a true record. Fields are UTF-8 text;
// one that is not well-formed is never written.
class RecordWriter {
 public:
  RecordWriter(platform::FileSystemPort& files, std::string path);

  void Folder(const std::string& path) { Add({"folder", path}); }
  void ProductFile(const std::string& path) { Add({"product-file", path}); }
  void DemandLoad(const RecordedKey& key);
  void TrustedProfile(const std::string& variablesKey) { Add({"trusted-paths", variablesKey}); }
  void UserProfile(const RecordedUserProfile& profile) {
    Add({"user-trusted-paths", profile.sid, profile.folder, profile.variablesKey});
  }
  void HostFile(const std::string& path, bool created);
  void Abandoned(const std::string& folder) { Add({"abandoned", folder}); }
  // Writes every line of `lines` at once.
  void AddLines(const base::TextList& lines);

  // What the record held when this install started.
  void SetKnown(InstallRecord known) { m_known = std::move(known); }
  // Whether an earlier install, or this one, recorded `path` as a host file.
  bool KnowsHostFile(const std::string& path) const;

  // Keeps `error` as the writer's failure unless it has one already.
  void NoteError(long error) {
    if (m_error == 0) m_error = error;
  }

  const std::string& Path() const { return m_path; }
  // 0 while every line arrived; otherwise the first failure.
  long Error() const { return m_error; }

 private:
  void Add(const base::TextList& fields) { AddLines({RecordLine(fields)}); }

  platform::FileSystemPort& m_files;
  std::string m_path;
  long m_error = 0;
  InstallRecord m_known;
};

// The record file's lines: 0, or why it could not be read (kErrorFileNotFound
// when there is none). A line that is not well-formed UTF-8 comes back empty,
// which reads as damage.
long ReadRecordLines(platform::FileSystemPort& files, const std::string& path,
                     base::TextList* lines);

}  // namespace install
