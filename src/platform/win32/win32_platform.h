#pragma once
// The program's platform: the Win32 adapters of every port, those that change
// the system (and the messages) written to the install's log once one is
// attached.

#include "platform/logging_ports.h"
#include "platform/platform.h"
#include "platform/win32/win32_prompt.h"

namespace win32 {

// One bundle for the whole process, created at the first call.
platform::Platform& Win32Platform();

// The bundle's message boxes, for naming their owner (ScopedPromptOwner).
Win32Prompt& Win32MessageBoxes();

// The log the bundle writes to (none until one is attached).
platform::LogTarget& InstallLog();

}  // namespace win32
