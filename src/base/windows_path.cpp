#include "base/windows_path.h"

namespace base {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsServerShare(const std::string& path) {
  if (path.rfind("\\\\", 0) != 0) return false;
  const std::size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return false;  // no server name
  const std::size_t shareStart = serverEnd + 1;
  return shareStart < path.size() && path[shareStart] != '\\';
}

}  // namespace

bool HasDriveRoot(const std::string& path) {
  return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool IsAbsolutePath(const std::string& path) { return HasDriveRoot(path) || IsServerShare(path); }

}  // namespace base
