#pragma once
// Where the install's log goes, one line at a time (UTF-8 text, as all the
// program's text is).

#include <string>

namespace platform {

class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void Line(const std::string& text) = 0;
};

}  // namespace platform
