#pragma once
// Where the product's files lie in the unpacked distribution, and the small
// file operations done on them before they are copied.

#include <string>

#include "platform/file_system_port.h"
#include "platform/platform.h"

namespace install {

// 0: nothing is there; 1: something that is not a folder; 2: a folder.
constexpr int kPathMissing = 0;
constexpr int kPathIsFile = 1;
constexpr int kPathIsFolder = 2;

// The "Data" folder beside the setup program, or the setup program's own
// folder when it holds the marker file of the flat layout. Without either,
// tells the user and returns false.
bool FindPayloadFolder(platform::Platform& platform, std::string* out);

// What the first match of a search for `path` itself is.
int GetPathKind(platform::FileSystemPort& files, const std::string& path);

// Takes the read-only attribute off `path` when it has it; silent on failure.
void ClearReadOnly(platform::FileSystemPort& files, const std::string& path);

// Deletes the download mark (the ":Zone.Identifier" stream) of `path`; true
// when there was one and it is gone.
bool DeleteZoneIdentifier(platform::FileSystemPort& files, const std::string& path);

}  // namespace install
