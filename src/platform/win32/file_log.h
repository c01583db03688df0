#pragma once
// The install's log in a file: UTF-8 with a byte-order mark, one line per
// entry, each written as it comes so that the file tells as much as there
// was to tell even if the program does not end normally. Every line goes to
// the file's end, and others may write to it meanwhile: the copy of the
// program started as administrator adds its part to the same file.

#include <windows.h>

#include <string>

#include "platform/log_sink.h"

namespace win32 {

class FileLog : public platform::LogSink {
 public:
  // Creates the file or empties it; with `append`, adds to what it holds.
  FileLog(const std::string& path, bool append);
  ~FileLog() override;
  FileLog(const FileLog&) = delete;
  FileLog& operator=(const FileLog&) = delete;

  bool ok() const { return m_file != INVALID_HANDLE_VALUE; }
  // The file's full path: how another process or the copier names it.
  const std::string& FullPath() const { return m_fullPath; }
  void Line(const std::string& text) override;

 private:
  void Write(const std::string& bytes);

  std::string m_fullPath;
  HANDLE m_file = INVALID_HANDLE_VALUE;
};

}  // namespace win32
