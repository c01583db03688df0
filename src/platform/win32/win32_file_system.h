#pragma once
// The file-system port over the wide kernel32 calls and the run-time's
// _wmkdir and _waccess, paths converted from UTF-8 at each call. Text is read and appended with the
// file shared for reading and writing, so that two processes can keep one log.

#include "platform/file_system_port.h"

namespace win32 {

class Win32FileSystem : public platform::FileSystemPort {
 public:
  bool CopyOver(const std::string& from, const std::string& to) override;
  bool CreateDir(const std::string& path) override;
  int MakeDir(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  unsigned long GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, unsigned long attributes) override;
  bool Exists(const std::string& path) override;
  std::unique_ptr<platform::FileListing> List(const std::string& pattern) override;
  unsigned long LastError() override;
  unsigned long ProbeWrite(const std::string& folder) override;
  bool RemoveDir(const std::string& path) override;
  bool MoveOver(const std::string& from, const std::string& to) override;
  unsigned long ReadText(const std::string& path, std::size_t capacity, std::string* text) override;
  unsigned long AppendText(const std::string& path, const std::string& text) override;
};

}  // namespace win32
