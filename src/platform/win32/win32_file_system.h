#pragma once
// The file-system port over the ANSI kernel32 calls and the run-time's
// _mkdir and _access.

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
};

}  // namespace win32
