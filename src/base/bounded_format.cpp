#include "base/bounded_format.h"

#include <cstdarg>
#include <cstring>

#include "base/utf8.h"

namespace base {

namespace {

// Appends the formatted text to `text`; false at a conversion other than
// %s, %d and %%.
bool Format(std::string* text, const char* format, va_list args) {
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%') {
      *text += *at;
      continue;
    }
    switch (*++at) {
      case 's':
        *text += va_arg(args, const char*);
        break;
      case 'd':
        *text += std::to_string(va_arg(args, int));
        break;
      case '%':
        *text += '%';
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace

int FormatPath(PathBuffer& buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text;
  const bool formatted = Format(&text, format, args);
  va_end(args);
  if (!formatted || Utf16Length(text) >= kPathCapacity) {
    buffer[0] = '\0';
    return -1;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text;
  const bool formatted = Format(&text, format, args);
  va_end(args);
  return formatted ? text : std::string();
}

}  // namespace base
