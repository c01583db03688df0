#pragma once
// The file-system contract: what the program relies on from the file-system
// port, checked against the fake natively and against Win32FileSystem
// under Wine.

#include <memory>
#include <string>

#include "platform/file_system_port.h"

// Windows behaviours that not every platform under test reproduces.
enum class FsBehaviour {
  kReadOnlyDestinationRefused,  // copying or moving onto, or appending to, a read-only file fails
  kHiddenDestinationRefused,    // CopyFile onto a hidden file fails
  kAttributesReplaced,          // CopyFile over a file gives it the source's attributes
  kBusyDestinationRefused,      // CopyFile onto a file held open without sharing fails
  kStreams,                     // alternate data streams
  kFolderReplacesNoFile,        // MoveFileEx of a folder onto a file fails
};

class FileSystemUnderTest {
 public:
  virtual ~FileSystemUnderTest() = default;
  virtual platform::FileSystemPort& Port() = 0;
  // An existing empty folder for one test, without a trailing backslash.
  virtual std::string Scratch() const = 0;

  // Arranging and inspecting files beside the port.
  virtual void WriteFile(const std::string& path, const std::string& contents) = 0;
  virtual std::string ReadFile(const std::string& path) = 0;
  virtual void AddStream(const std::string& file, const std::string& stream) = 0;
  virtual bool HasStream(const std::string& file, const std::string& stream) = 0;
  // Holds the file open without sharing until Unlock.
  virtual void Lock(const std::string& path) = 0;
  virtual void Unlock(const std::string& path) = 0;
  // Puts a program at `path` and keeps it running until the test ends.
  virtual void StartProgram(const std::string& path) = 0;
  // An existing folder on another volume; empty when there is none.
  virtual std::string OtherVolume() const = 0;

  // Why the platform under test cannot show `behaviour`; empty when it can.
  virtual std::string WhyWithout(FsBehaviour behaviour) const = 0;
};

std::unique_ptr<FileSystemUnderTest> MakeFileSystemUnderTest();
