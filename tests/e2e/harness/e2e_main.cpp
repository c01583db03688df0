// The end-to-end tests of SetUp.exe:
//   e2e_tests.exe --setup-exe=PATH [--setup32-exe=PATH] [gtest flags].
// With --idle=MILLISECONDS alone it only sleeps, as a stand-in process.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "e2e/harness/setup_driver.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], kIdleFlag, sizeof(kIdleFlag) - 1) == 0) {
    Sleep(std::strtoul(argv[1] + sizeof(kIdleFlag) - 1, nullptr, 10));
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  constexpr char kSetupExeFlag[] = "--setup-exe=";
  constexpr char kSetup32ExeFlag[] = "--setup32-exe=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kSetupExeFlag, sizeof(kSetupExeFlag) - 1) == 0) {
      SetSetupExePath(ToWindowsPath(argv[i] + sizeof(kSetupExeFlag) - 1));
    }
    if (std::strncmp(argv[i], kSetup32ExeFlag, sizeof(kSetup32ExeFlag) - 1) == 0) {
      SetSetup32ExePath(ToWindowsPath(argv[i] + sizeof(kSetup32ExeFlag) - 1));
    }
  }
  if (SetupExePath().empty() ||
      GetFileAttributesA(SetupExePath().c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "usage: e2e_tests --setup-exe=PATH-OF-SetUp.exe [gtest flags]\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
