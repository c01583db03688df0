// Folder validation and creation on a typed path of any bytes: whatever is
// created lies on the typed path, and a path that is refused creates nothing.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text.h"
#include "fuzz/fuzz_input.h"
#include "support/fake_platform.h"
#include "ui/picker/folder_check.h"
#include "ui/setup/unattended.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  FakePlatform fake;
  fake.files.AddDrive('C');
  fake.files.AddFolder("C:\\Existing");
  fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
  const std::string path = input.Rest();
  ui::SilentPrompt yes;  // answers Yes: create the folder
  const std::size_t before = fake.files.AllPaths().size();
  const int result = ui::CheckFolder(fake.files, yes, fake.environment, path);
  const std::string typed = base::ToUpperAscii(path);
  for (const std::string& created : fake.files.AllPaths()) {
    // Every folder there is: the ones arranged, or one on the typed path.
    if (created == "C:\\EXISTING" || created == "C:\\DIST") continue;
    if (typed.find(created.substr(3)) == std::string::npos) std::abort();
  }
  if (result == ui::kFolderInvalid && fake.files.AllPaths().size() != before) std::abort();
  return 0;
}
