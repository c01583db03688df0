#pragma once
// printf-style formatting of the program's texts, with the conversions they
// use: %s, %d and %%. Any other conversion fails the whole text, so that a
// format the formatter does not know is never half applied.
//
// File paths and registry key names must fit the wide calls' fixed buffers:
// 260 UTF-16 units, the terminating NUL included. The program's buffer holds
// the UTF-8 form of such a text (at most 3 bytes a unit). A text that does
// not fit is never used in part: the buffer is left empty and the result is
// -1.

#include <cstddef>
#include <string>

namespace base {

constexpr std::size_t kPathCapacity = 260;  // UTF-16 units, the NUL included

using PathBuffer = char[kPathCapacity * 3];

// Bytes written without the NUL, or -1 when the text did not fit.
int FormatPath(PathBuffer& buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The formatted text; empty when the format holds another conversion.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace base
