#include "app/bounded_format.h"

#include <cstdarg>
#include <cstdio>

namespace app {

namespace {

int FormatBounded(char* buffer, std::size_t capacity, const char* format, va_list args) {
  const int length = std::vsnprintf(buffer, capacity, format, args);
  if (length < 0 || static_cast<std::size_t>(length) >= capacity) {
    buffer[0] = '\0';
    return -1;
  }
  return length;
}

}  // namespace

int FormatPath(PathBuffer& buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = FormatBounded(buffer, kPathCapacity, format, args);
  va_end(args);
  return length;
}

}  // namespace app
