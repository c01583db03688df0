#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"

namespace win32 {

Win32Prompt& Win32MessageBoxes() {
  static Win32Prompt prompt;
  return prompt;
}

Platform& Win32Platform() {
  static Win32Registry registry;
  static Win32FileSystem files;
  static Win32Environment environment;
  static Win32Processes processes;
  static Platform platform{registry, files, environment, processes, Win32MessageBoxes()};
  return platform;
}

}  // namespace win32
