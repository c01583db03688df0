#pragma once
// printf-style formatting into fixed buffers: the trusted-folder list
// (13000 bytes) and file paths / registry key names (260 bytes), the
// terminating NUL included. A text that does not fit is never used in part:
// the buffer is left empty and the result is -1.

#include <cstddef>

constexpr std::size_t kLongCapacity = 13000;
constexpr std::size_t kPathCapacity = 260;

using LongBuffer = char[kLongCapacity];
using PathBuffer = char[kPathCapacity];

// Bytes written without the NUL, or -1 when the text did not fit.
int FormatLong(LongBuffer& buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
int FormatPath(PathBuffer& buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
