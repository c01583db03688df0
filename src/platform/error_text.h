#pragma once
// A Windows error code as the program names it to the user and in its log:
// a few words for the common causes, and always the code.

#include <string>

#include "base/win_error.h"

namespace platform {

std::string ErrorText(long error);

}  // namespace platform
