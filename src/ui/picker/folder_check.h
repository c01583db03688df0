#pragma once
// Validation of a typed installation folder, the question whether a missing
// one shall be created, and its creation level by level.
//
// Only drive-letter paths are accepted: a letter, ":", "\", then components
// separated by single backslashes, without a trailing backslash, shorter than
// 260 UTF-16 units (what the wide calls count).

#include <string>

#include "platform/environment_port.h"
#include "platform/file_system_port.h"
#include "platform/prompt_port.h"

namespace ui {

// Results of CheckFolder and CreateFolderPath.
constexpr int kFolderReady = 0;       // exists (perhaps just created), or passed the syntax check
constexpr int kFolderInvalid = 1;     // the path is not acceptable
constexpr int kFolderNotCreated = 2;  // a level is missing after the attempt to create it
constexpr int kFolderDeclined = -1;   // the user did not want the folder created

// Checks `path`, asks whether a missing folder shall be created and creates
// it. Every result but kFolderReady and kFolderDeclined is reported in a
// message box captioned with the application's name.
int CheckFolder(platform::FileSystemPort& files, platform::PromptPort& prompt,
                platform::EnvironmentPort& environment, const std::string& path);

// Creates every missing level of `path` without asking; a path that is not
// acceptable or a level that cannot be created is reported as CheckFolder
// reports it. The result of CreateFolderPath.
int CreateFolder(platform::FileSystemPort& files, platform::PromptPort& prompt,
                 platform::EnvironmentPort& environment, const std::string& path);

// Walks the components of `path` from the left. With `checkOnly` it only
// checks the syntax; otherwise it creates each level in turn (an existing one
// is fine) and gives kFolderNotCreated for the first level that then does not
// exist. Levels created before a failing one stay.
int CreateFolderPath(platform::FileSystemPort& files, const char* path, bool checkOnly);

// 1 when `name` may be one component of a folder path, 0 otherwise: not empty,
// not beginning or ending with a tab, a blank or a dot, none of " * / : < > ? \ |,
// and well-formed UTF-8.
int IsValidFolderName(const std::string& name);

}  // namespace ui
