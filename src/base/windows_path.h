#pragma once
// Whether a path names its place without depending on the
// current drive or folder.

#include <string>

namespace base {

// A drive letter, a colon and a backslash: "C:\...".
bool HasDriveRoot(const std::string& path);

// A drive root, or a server share: two backslashes, a server name, a
// backslash and a share name ("\\server\share...").
bool IsAbsolutePath(const std::string& path);

}  // namespace base
