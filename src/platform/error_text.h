#pragma once
// A Windows error code as the program names it to the user and in its log:
// a few words for the common causes, and always the code.

#include <string>

// Codes for failures that have no system call of their own.
constexpr long kErrorInvalidData = 13;             // ERROR_INVALID_DATA: a value of another type
constexpr long kErrorBadPathname = 161;            // ERROR_BAD_PATHNAME: a folder not absolute
constexpr long kErrorFilenameTooLong = 206;        // ERROR_FILENAME_EXCED_RANGE: does not fit
constexpr long kErrorNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION

namespace platform {

std::string ErrorText(long error);

}  // namespace platform
