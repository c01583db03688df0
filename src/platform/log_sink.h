#pragma once
// Where the install's log goes, one line at a time (ANSI text, as the
// program's own texts are).

#include <string>

namespace platform {

class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void Line(const std::string& text) = 0;
};

}  // namespace platform
