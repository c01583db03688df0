#pragma once
// Calls of a fake made to fail, one way for every fake: by the port call's
// name ("*": any call), for one subject (a path or a key's full name; empty: any), starting
// with the nth matching call from now, once or from then on, with the
// Windows error code the call then reports.

#include <initializer_list>
#include <string>
#include <vector>

#include "base/win_error.h"

class Fault {
 public:
  explicit Fault(std::string callName, std::string subjectName = "")
      : call(std::move(callName)), subject(std::move(subjectName)) {}
  Fault& Error(long code) {
    error = code;
    return *this;
  }
  Fault& Nth(int count) {
    nth = count;
    return *this;
  }
  Fault& Once() {
    once = true;
    return *this;
  }
  // Value calls of the registry: only this value of the key.
  Fault& Value(std::string name) {
    value = std::move(name);
    return *this;
  }

  std::string call;
  std::string subject;
  std::string value;
  long error = kErrorAccessDenied;
  int nth = 1;
  bool once = false;
};

class FaultPlan {
 public:
  // The names of the calls the fake has; a fault for any other is a test error.
  explicit FaultPlan(std::vector<std::string> calls) : m_calls(std::move(calls)) {}

  void Add(Fault fault);
  // Whether any fault was added: a fake may skip naming its calls otherwise.
  bool Armed() const { return !m_armed.empty(); }
  // Counts one call naming `subjects` (names compare ignoring ASCII case):
  // the error it fails with, 0 when it goes ahead.
  long Check(const std::string& call, std::initializer_list<std::string> subjects,
             const std::string& value = "");

 private:
  struct ArmedFault {
    Fault fault;
    int seen;
    bool spent;
  };
  std::vector<std::string> m_calls;
  std::vector<ArmedFault> m_armed;
};
