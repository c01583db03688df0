#pragma once
// An in-memory Windows-like file system behind FileSystemPort.
//
// Paths are "X:\..." on drives added with AddDrive; everything on a missing
// drive fails. Names compare ignoring the case of ASCII letters and keep the
// spelling they were created with; "\" and "/" both separate, repeated
// separators collapse, "." and ".." components resolve. A listing yields the
// entries of a folder in the order they were created, after "." and ".." for
// a folder that is not a drive root, as NTFS does. Names holding '"', '*',
// '<', '>', '?' or '|' are invalid, and ':' is only understood by RemoveFile,
// as "file:stream". CopyOver refuses to replace a read-only or hidden file
// and gives the copy the source's attributes, as Windows does. MoveOver
// moves a file or a folder within its drive (17 across drives) and replaces
// a file that could be deleted. A missing file fails with 2, a missing
// folder above it with 3. A path that is not well-formed UTF-8 fails with 1113.
// Unlike the wide calls, paths are not limited to 259 units here, so the
// program's own length checks are what a test sees.
//
// Calls fail as a FaultPlan says (a path subject matches the call's path or,
// for CopyOver and MoveOver, its destination); Lock makes a file busy (it
// cannot be copied, moved, read, appended to or deleted, with 32);
// MarkRunning makes it the image of a running program (deleting or replacing
// it fails with 5, copying onto it with 32; it can be moved, and the mark goes
// with it). Every port call is logged in order, failed ones included.

#include <cstdint>
#include <iosfwd>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system_port.h"
#include "support/fault_plan.h"

enum class FsOp {
  kCopyOver,
  kCreateDir,
  kMakeDir,
  kRemoveFile,
  kGetAttributes,
  kSetAttributes,
  kExists,
  kList,
  kProbeWrite,
  kRemoveDir,
  kMoveOver,
  kReadText,
  kAppendText
};
// The port calls' names, in FsOp order: what faults name.
constexpr const char* kFsOpNames[] = {
    "CopyOver", "CreateDir",  "MakeDir",   "RemoveFile", "GetAttributes", "SetAttributes", "Exists",
    "List",     "ProbeWrite", "RemoveDir", "MoveOver",   "ReadText",      "AppendText"};

// One port call: the path it named (CopyOver, MoveOver: the source) and, for
// those two, the destination.
struct FsCall {
  FsOp op;
  std::string path;
  std::string target;
};
bool operator==(const FsCall& a, const FsCall& b);
void PrintTo(const FsCall& call, std::ostream* out);

class FakeFileSystem : public platform::FileSystemPort {
 public:
  // FileSystemPort.
  bool CopyOver(const std::string& from, const std::string& to) override;
  bool CreateDir(const std::string& path) override;
  int MakeDir(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  unsigned long GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, unsigned long attributes) override;
  bool Exists(const std::string& path) override;
  std::unique_ptr<platform::FileListing> List(const std::string& pattern) override;
  // The error of the last failed call.
  unsigned long LastError() override { return m_lastError; }
  // 0 in an existing folder, unless a "ProbeWrite" fault says otherwise.
  unsigned long ProbeWrite(const std::string& folder) override;
  // 145 for a folder that holds entries, 267 for a file.
  bool RemoveDir(const std::string& path) override;
  bool MoveOver(const std::string& from, const std::string& to) override;
  // A folder cannot be read or appended to (5), nor a read-only file
  // appended to.
  unsigned long ReadText(const std::string& path, std::size_t capacity, std::string* text) override;
  unsigned long AppendText(const std::string& path, const std::string& text) override;

  // Arranging the file system; each level above the file or folder is
  // created as needed. A path on a missing drive is a test error.
  void AddDrive(char letter);
  void AddFile(const std::string& path, const std::string& contents = "",
               unsigned long attributes = platform::kAttrNormal);
  void AddFolder(const std::string& path, unsigned long attributes = platform::kAttrDirectory);
  void AddStream(const std::string& file, const std::string& stream);

  // Looking at it, without logging.
  std::string ReadFile(const std::string& path) const;
  bool FileExists(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  bool HasStream(const std::string& file, const std::string& stream) const;
  unsigned long Attributes(const std::string& path) const;
  // Every file and folder, as upper-cased full paths.
  std::vector<std::string> AllPaths() const;
  // The names in a folder in listing order, without "." and "..".
  std::vector<std::string> ListNames(const std::string& folder) const;

  void Fail(Fault fault);
  void Lock(const std::string& path);
  void Unlock(const std::string& path);
  void MarkRunning(const std::string& path);

  const std::vector<FsCall>& Log() const { return m_log; }
  std::vector<FsCall> CallsOf(FsOp op) const;
  std::vector<std::string> CopyDestinations() const;  // of every CopyOver, in order
  void ClearLog() { m_log.clear(); }

 private:
  struct Node {
    std::string name;      // as created
    std::string parent;    // key of the folder holding it
    unsigned long stored;  // attribute bits; none reads as kAttrNormal
    std::string contents;
    std::vector<std::string> streams;
    std::uint64_t order;
  };
  // Where a path leads: `valid` when its syntax is good and its drive exists.
  struct Location {
    bool valid = false;
    bool trailingSeparator = false;
    char drive = 0;
    std::vector<std::string> parts;  // components as written
    std::string key;                 // upper-cased canonical path, "C:\DIR\FILE"; "C:" for a root
    std::string parent;              // key of the folder above
    bool root() const { return parts.empty(); }
    const std::string& name() const { return parts.back(); }
  };

  static Location At(char drive, const std::vector<std::string>& parts, std::size_t count);
  Location Locate(const std::string& path, bool wildcardsInName = false) const;
  std::string KeyOf(const std::string& path) const;
  const Node* Find(const Location& at) const;
  Node* Find(const Location& at);
  bool IsFolderKey(const std::string& key) const;
  bool Admit(FsOp op, const std::string& path, const std::string& target = "");
  bool Failed(unsigned long error);  // records the error; false
  // Why nothing is found at `at`: the file, or a folder above it, is missing.
  unsigned long MissingError(const Location& at) const;
  // Why the file cannot be opened: 32 when busy, 5 when it has a `refused`
  // attribute; 0 when it can.
  unsigned long Refused(const Location& at, const Node& node, unsigned long refused) const;
  // Why the file cannot be deleted, or 0.
  unsigned long Undeletable(const Location& at, const Node& node) const;
  // Gives the node at `from`, and everything below it, the place `to`.
  void Relocate(const Location& from, const Location& to);
  bool MakeFolder(const std::string& path);
  bool RemoveStream(const std::string& file, const std::string& stream);
  Node& Insert(const Location& at, unsigned long attributes);
  static platform::FileEntry EntryOf(const Node& node);
  std::vector<platform::FileEntry> Children(const std::string& folderKey) const;
  Location Arrange(const std::string& path);

  std::set<char> m_drives;
  std::map<std::string, Node> m_nodes;
  std::uint64_t m_nextOrder = 0;
  std::set<std::string> m_locked;
  std::set<std::string> m_running;
  FaultPlan m_faults{{std::begin(kFsOpNames), std::end(kFsOpNames)}};
  std::vector<FsCall> m_log;
  unsigned long m_lastError = 0;
};
