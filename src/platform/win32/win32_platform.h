#pragma once
// The program's platform: the Win32 adapters of every port.

#include "platform/platform.h"

// One bundle for the whole process, created at the first call.
Platform& Win32Platform();
