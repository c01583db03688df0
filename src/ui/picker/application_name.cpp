#include "ui/picker/application_name.h"

#include <cstddef>

namespace ui {

std::string ApplicationName(platform::EnvironmentPort& environment) {
  std::string path;
  if (!environment.ModulePath(&path)) return std::string();

  // Byte by byte: no byte of a multi-byte UTF-8 character is a separator.
  std::size_t nameStart = 0;
  std::size_t extensionStart = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == '\\' || c == '/' || c == ':') {
      nameStart = i + 1;
      extensionStart = std::string::npos;
    } else if (c == '.') {
      extensionStart = i;
    }
  }
  const std::size_t nameEnd = extensionStart == std::string::npos ? path.size() : extensionStart;
  return path.substr(nameStart, nameEnd - nameStart);
}

}  // namespace ui
