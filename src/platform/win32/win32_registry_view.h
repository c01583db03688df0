#pragma once
// The registry as 64-bit programs see it, for a 32-bit process on 64-bit
// Windows (WOW64), where the process's own view is the 32-bit one.

#include <memory>

#include "platform/registry_port.h"

namespace win32 {

// A read-only registry port whose keys are opened in the 64-bit view
// (KEY_WOW64_64KEY); nothing when the process does not run under WOW64, so
// that there is no other view to look at.
std::unique_ptr<platform::RegistryPort> Open64BitRegistryView();

}  // namespace win32
