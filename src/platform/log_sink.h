#pragma once
// Where the install's log goes, one line at a time (ANSI text, as the
// program's own texts are).

#include <string>

class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void Line(const std::string& text) = 0;
};
