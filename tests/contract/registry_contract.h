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
  // A new, empty hive file that LoadHive can load, gone after the test.
  virtual std::string NewHiveFile() = 0;
  // Why the registry does not do what a hive row checks (one of the
  // HiveBehaviour names), or empty when it does: what Wine cannot do is
  // skipped with its reason.
  virtual std::string HiveGap(const std::string& /*behaviour*/) const { return ""; }
};

// The behaviours of hives the contract names to HiveGap.
constexpr char kKeptAtUnload[] = "writes below a hive are in its file after UnloadHive";
constexpr char kOpenKeyBlocksUnload[] = "a key open below a hive keeps it loaded";
constexpr char kLoadedFileInUse[] = "a loaded hive file is in use";
constexpr char kLoadedNameTaken[] = "a loaded hive's name takes no other hive";

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest();
