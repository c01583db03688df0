// The end-to-end tests of SetUp.exe:
//   e2e_tests.exe --setup-exe=PATH [--setup32-exe=PATH] [gtest flags].
// With --idle=MILLISECONDS alone it only sleeps, as a stand-in process.
// The arguments are read in UTF-16, whatever the code page.

#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "e2e/harness/install_support.h"
#include "e2e/harness/setup_driver.h"

namespace {

// What follows `flag` in `argument`; nullptr when it does not start with it.
const wchar_t* FlagValue(const wchar_t* argument, const char* flag) {
  const std::wstring prefix = Widened(flag);
  return std::wcsncmp(argument, prefix.c_str(), prefix.size()) == 0 ? argument + prefix.size()
                                                                    : nullptr;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return 2;
  if (argc == 2 && FlagValue(argv[1], kIdleFlag)) {
    Sleep(std::wcstoul(FlagValue(argv[1], kIdleFlag), nullptr, 10));
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (const wchar_t* path = FlagValue(argv[i], "--setup-exe=")) {
      SetSetupExePath(ToWindowsPath(Narrowed(path)));
    }
    if (const wchar_t* path = FlagValue(argv[i], "--setup32-exe=")) {
      SetSetup32ExePath(ToWindowsPath(Narrowed(path)));
    }
  }
  if (SetupExePath().empty() || !PathExists(SetupExePath())) {
    std::fprintf(stderr, "usage: e2e_tests --setup-exe=PATH-OF-SetUp.exe [gtest flags]\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
