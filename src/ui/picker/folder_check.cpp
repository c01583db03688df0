#include "ui/picker/folder_check.h"

#include <cstddef>
#include <string_view>

#include "base/ansi_text.h"
#include "base/bounded_format.h"
#include "base/windows_path.h"
#include "ui/picker/application_name.h"

using base::CharacterLength;
using base::FindBackslash;
using base::HasDriveRoot;
using base::IsGbkLeadByte;
using base::kPathCapacity;

namespace ui {

namespace {

constexpr std::string_view kForbiddenInName = "\"*/:<>?\\|";
constexpr std::string_view kNotAtNameEdge = "\t .";

bool IsOneOf(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

// A lead byte without its second byte is no character of any name.
bool IsLoneLeadByte(const std::string& text, std::size_t pos) {
  return IsGbkLeadByte(static_cast<unsigned char>(text[pos])) && CharacterLength(text, pos) == 1;
}

// Position of the next backslash character at or after `from`, or the text's length.
std::size_t FindSeparator(const std::string& path, std::size_t from) {
  const std::size_t found = FindBackslash(path, from);
  return found == std::string::npos ? path.size() : found;
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
  if (name.empty() || IsOneOf(kNotAtNameEdge, name.front())) return 0;
  std::size_t lastStart = 0;
  for (std::size_t i = 0; i < name.size(); i += CharacterLength(name, i)) {
    if (IsOneOf(kForbiddenInName, name[i]) || IsLoneLeadByte(name, i)) return 0;
    lastStart = i;
  }
  if (IsOneOf(kNotAtNameEdge, name[lastStart])) return 0;
  return 1;
}

int CreateFolderPath(platform::FileSystemPort& files, const char* path, bool checkOnly) {
  if (path == nullptr) return kFolderInvalid;
  const std::string text(path);
  if (text.size() >= kPathCapacity || !HasDriveRoot(text)) return kFolderInvalid;
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
