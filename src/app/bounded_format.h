#pragma once
// printf-style formatting into a fixed buffer for file paths and registry
// key names (260 bytes, the terminating NUL included). A text that does not
// fit is never used in part: the buffer is left empty and the result is -1.

#include <cstddef>

namespace app {

constexpr std::size_t kPathCapacity = 260;

using PathBuffer = char[kPathCapacity];

// Bytes written without the NUL, or -1 when the text did not fit.
int FormatPath(PathBuffer& buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace app
