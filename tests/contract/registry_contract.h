#pragma once
// The registry contract: what the program relies on from the registry port,
// checked against the fake natively and against Win32Registry under Wine.

#include <memory>
#include <string>

#include "platform/registry_port.h"

class RegistryUnderTest {
 public:
  virtual ~RegistryUnderTest() = default;
  virtual platform::RegistryPort& Port() = 0;
  // A key path below HKEY_CURRENT_USER that nothing else uses. The suite
  // creates it and deletes it, with everything below it, after each test;
  // the view roots' tests use the same path below them.
  virtual std::string ScratchPath() const = 0;
  // Whether the 32-bit and the 64-bit view are separate trees (64-bit
  // Windows), rather than one.
  virtual bool SeparateViews() const = 0;
};

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest();
