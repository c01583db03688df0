#pragma once
// The application's name as message-box captions show it: the program file's
// name without its extension (the program defines no title of its own).

#include <string>

#include "platform/environment_port.h"

namespace ui {

// Empty when the program's path cannot be had.
std::string ApplicationName(platform::EnvironmentPort& environment);

}  // namespace ui
