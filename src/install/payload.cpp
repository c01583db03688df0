#include "install/payload.h"

#include "base/utf8.h"
#include "install/install_messages.h"

namespace install {

namespace {

const char kDataFolder[] = "\\Data";
const char kMarkerFile[] = "\\BX_PlotSweep2010.arx";

// The program's own path, as a 261-unit buffer holds it: 260 UTF-16 units at
// most. A longer path is never used cut short.
constexpr std::size_t kModulePathCapacity = 261;

bool SetupFolder(platform::EnvironmentPort& environment, std::string* folder) {
  std::string path;
  if (!environment.ModulePath(&path) || base::Utf16Length(path) >= kModulePathCapacity)
    return false;
  const std::size_t lastBackslash = path.rfind('\\');
  if (lastBackslash == std::string::npos) return false;
  *folder = path.substr(0, lastBackslash);
  return true;
}

}  // namespace

bool FindPayloadFolder(platform::Platform& platform, std::string* out) {
  std::string setupFolder;
  if (SetupFolder(platform.environment, &setupFolder)) {
    *out = setupFolder + kDataFolder;
    if (GetPathKind(platform.files, *out) == kPathIsFolder) return true;
    *out = setupFolder + kMarkerFile;
    if (GetPathKind(platform.files, *out) == kPathIsFile) {
      *out = setupFolder;
      return true;
    }
  }
  platform.prompt.Show(kNoPayloadMessage, kSetupCaption, platform::kMbOk);
  return false;
}

int GetPathKind(platform::FileSystemPort& files, const std::string& path) {
  const std::unique_ptr<platform::FileListing> search = files.List(path);
  platform::FileEntry found;
  if (!search || !search->Next(&found)) return kPathMissing;
  return (found.attributes & platform::kAttrDirectory) ? kPathIsFolder : kPathIsFile;
}

void ClearReadOnly(platform::FileSystemPort& files, const std::string& path) {
  const unsigned long attributes = files.GetAttributes(path);
  if (attributes != platform::kInvalidAttributes && (attributes & platform::kAttrReadOnly)) {
    files.SetAttributes(path, attributes & ~platform::kAttrReadOnly);
  }
}

bool DeleteZoneIdentifier(platform::FileSystemPort& files, const std::string& path) {
  return files.RemoveFile(path + ":Zone.Identifier");
}

}  // namespace install
