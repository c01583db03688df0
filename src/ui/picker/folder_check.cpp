#include "ui/picker/folder_check.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "base/bounded_format.h"
#include "base/utf8.h"
#include "base/windows_path.h"
#include "ui/picker/application_name.h"

using base::HasDriveRoot;
using base::kPathCapacity;

namespace ui {

namespace {

constexpr std::string_view kForbiddenInName = "\"*/:<>?\\|";
constexpr std::string_view kNotAtNameEdge = "\t .";

bool IsOneOf(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

// Position of the next backslash at or after `from`, or the text's length.
std::size_t FindSeparator(const std::string& path, std::size_t from) {
  return std::min(path.find('\\', from), path.size());
}

std::string FolderMessage(const std::string& path, const char* verdict) {
  return "The folder:\n\n" + path + "\n\n" + verdict;
}

void ReportFailure(platform::PromptPort& prompt, const std::string& caption,
                   const std::string& path, int result) {
  const char* verdict = result == kFolderInvalid ? "is invalid. Please reenter."
                                                 : "can not be created. Please double check.";
  prompt.Show(FolderMessage(path, verdict), caption, platform::kMbOk | platform::kMbIconWarning);
}

}  // namespace

int IsValidFolderName(const std::string& name) {
  if (name.empty() || IsOneOf(kNotAtNameEdge, name.front()) ||
      IsOneOf(kNotAtNameEdge, name.back())) {
    return 0;
  }
  for (const char c : name) {
    if (IsOneOf(kForbiddenInName, c)) return 0;
  }
  std::u16string wide;
  return base::Utf8ToUtf16(name, &wide) ? 1 : 0;
}

int CreateFolderPath(platform::FileSystemPort& files, const char* path, bool checkOnly) {
  if (path == nullptr) return kFolderInvalid;
  const std::string text(path);
  if (base::Utf16Length(text) >= kPathCapacity || !HasDriveRoot(text)) return kFolderInvalid;
  if (text.size() == 3) {
    return checkOnly || files.Exists(text) ? kFolderReady : kFolderNotCreated;
  }

  // A trailing backslash leaves an empty last component, which is invalid.
  for (std::size_t start = 3;;) {
    const std::size_t end = FindSeparator(text, start);
    if (!IsValidFolderName(text.substr(start, end - start))) return kFolderInvalid;
    if (!checkOnly) {
      const std::string level = text.substr(0, end);
      files.CreateDir(level);  // an existing folder is fine: only the outcome counts
      if (!files.Exists(level)) return kFolderNotCreated;
    }
    if (end == text.size()) return kFolderReady;
    start = end + 1;
  }
}

int CheckFolder(platform::FileSystemPort& files, platform::PromptPort& prompt,
                platform::EnvironmentPort& environment, const std::string& path) {
  int result = CreateFolderPath(files, path.c_str(), true);
  if (result == kFolderReady && !files.Exists(path)) {
    const std::string question =
        FolderMessage(path, "does not exist. Do you want the folder to be created?");
    if (prompt.Show(question, ApplicationName(environment),
                    platform::kMbYesNo | platform::kMbIconQuestion) != platform::kIdYes) {
      return kFolderDeclined;
    }
    return CreateFolder(files, prompt, environment, path);
  }
  if (result != kFolderReady) ReportFailure(prompt, ApplicationName(environment), path, result);
  return result;
}

int CreateFolder(platform::FileSystemPort& files, platform::PromptPort& prompt,
                 platform::EnvironmentPort& environment, const std::string& path) {
  const int result = CreateFolderPath(files, path.c_str(), false);
  if (result != kFolderReady) ReportFailure(prompt, ApplicationName(environment), path, result);
  return result;
}

}  // namespace ui
