#pragma once
// The environment contract, checked against the fake natively and against
// Win32Environment under Wine.

#include <memory>
#include <string>

#include "platform/environment_port.h"

class EnvironmentUnderTest {
 public:
  virtual ~EnvironmentUnderTest() = default;
  virtual platform::EnvironmentPort& Port() = 0;
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
  virtual void UnsetVariable(const std::string& name) = 0;
  // The file name of the running program, without its folder.
  virtual std::string ProgramFileName() const = 0;
  // The folder made current for the test.
  virtual std::string WorkingFolder() const = 0;
};

std::unique_ptr<EnvironmentUnderTest> MakeEnvironmentUnderTest();
