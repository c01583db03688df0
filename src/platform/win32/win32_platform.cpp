#include "platform/win32/win32_platform.h"

#include "platform/logging_ports.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"

namespace win32 {

Win32Prompt& Win32MessageBoxes() {
  static Win32Prompt prompt;
  return prompt;
}

platform::LogTarget& InstallLog() {
  static platform::LogTarget log;
  return log;
}

platform::Platform& Win32Platform() {
  static Win32Registry registry;
  static Win32FileSystem files;
  static Win32Environment environment;
  static Win32Processes processes;
  static platform::LoggingRegistry loggedRegistry(registry, InstallLog());
  static platform::LoggingFileSystem loggedFiles(files, InstallLog());
  static platform::LoggingPrompt loggedPrompt(Win32MessageBoxes(), InstallLog());
  static platform::Platform platform{loggedRegistry, loggedFiles, environment, processes,
                                     loggedPrompt};
  return platform;
}

}  // namespace win32
