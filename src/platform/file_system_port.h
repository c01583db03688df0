#pragma once
// Files and folders as the program uses them: the wide kernel32 calls and
// the run-time's _wmkdir and _waccess, with their meaning kept. Paths are
// UTF-8 here: one that is not well-formed fails with
// ERROR_NO_UNICODE_TRANSLATION and reaches no file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/win_error.h"

namespace platform {

constexpr unsigned long kAttrReadOnly = 0x01;              // FILE_ATTRIBUTE_READONLY
constexpr unsigned long kAttrHidden = 0x02;                // FILE_ATTRIBUTE_HIDDEN
constexpr unsigned long kAttrDirectory = 0x10;             // FILE_ATTRIBUTE_DIRECTORY
constexpr unsigned long kAttrNormal = 0x80;                // FILE_ATTRIBUTE_NORMAL
constexpr unsigned long kInvalidAttributes = 0xFFFFFFFFu;  // INVALID_FILE_ATTRIBUTES

struct FileEntry {
  std::string name;          // without its folder; a lone surrogate as U+FFFD
  unsigned long attributes;  // FILE_ATTRIBUTE_* bits
  std::uint64_t size = 0;    // in bytes; 0 for a folder
};

// An open FindFirstFileW/FindNextFileW search; destroying it is FindClose.
class FileListing {
 public:
  virtual ~FileListing() = default;
  // The first call yields the first entry; false when there are no more.
  virtual bool Next(FileEntry* entry) = 0;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;

  // CopyFileW with bFailIfExists FALSE: overwrites, carries attributes.
  virtual bool CopyOver(const std::string& from, const std::string& to) = 0;
  // CreateDirectoryW without security attributes: one level.
  virtual bool CreateDir(const std::string& path) = 0;
  // _wmkdir: one level; 0 on success, -1 otherwise.
  virtual int MakeDir(const std::string& path) = 0;
  // DeleteFileW; also takes "file:stream" to delete an alternate data stream.
  virtual bool RemoveFile(const std::string& path) = 0;
  // GetFileAttributesW: kInvalidAttributes when nothing is there.
  virtual unsigned long GetAttributes(const std::string& path) = 0;
  // SetFileAttributesW.
  virtual bool SetAttributes(const std::string& path, unsigned long attributes) = 0;
  // _waccess(path, 0) == 0: a file or a folder exists there.
  virtual bool Exists(const std::string& path) = 0;
  // FindFirstFileW on a pattern ("folder\*.*" or a plain path); null when the
  // search finds nothing or cannot start.
  virtual std::unique_ptr<FileListing> List(const std::string& pattern) = 0;
  // GetLastError right after a call that failed: why it failed.
  virtual unsigned long LastError() = 0;
  // Creates a file in `folder` that is deleted as it is closed: 0 when files
  // can be written there, otherwise why not. Nothing is left behind.
  virtual unsigned long ProbeWrite(const std::string& folder) = 0;
  // RemoveDirectoryW: the folder must be empty.
  virtual bool RemoveDir(const std::string& path) = 0;
  // MoveFileExW with MOVEFILE_REPLACE_EXISTING, within one volume: a file a
  // running program was started from can be moved, though not deleted.
  virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
  // The whole file, when it holds at most `capacity` bytes: 0, otherwise
  // why not (kErrorMoreData when it is larger).
  virtual unsigned long ReadText(const std::string& path, std::size_t capacity,
                                 std::string* text) = 0;
  // Adds `text` at the end of the file, creating it when absent: 0, or why
  // not. Each call is one write through FILE_APPEND_DATA.
  virtual unsigned long AppendText(const std::string& path, const std::string& text) = 0;
};

}  // namespace platform
