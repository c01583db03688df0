#pragma once
// The install's log in a file: UTF-8 with a byte-order mark, one line per
// entry, each written as it comes so that the file tells as much as there
// was to tell even if the program does not end normally.

#include <windows.h>

#include <string>

#include "platform/log_sink.h"

namespace win32 {

class FileLog : public LogSink {
 public:
  // Creates the file, or empties it.
  explicit FileLog(const std::string& path);
  ~FileLog() override;
  FileLog(const FileLog&) = delete;
  FileLog& operator=(const FileLog&) = delete;

  bool ok() const { return m_file != INVALID_HANDLE_VALUE; }
  void Line(const std::string& text) override;

 private:
  void Write(const std::string& bytes);

  HANDLE m_file;
};

}  // namespace win32
