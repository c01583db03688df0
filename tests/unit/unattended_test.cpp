#include "ui/setup/unattended.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"
#include "support/test_values.h"

using app::CommandLine;
using app::ParseCommandLine;
using ui::RunUnattended;
using ui::SilentPrompt;

namespace {

constexpr char kProduct2014[] = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804";
constexpr char kProduct2010[] = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804";

// Releases 2010 and 2014 installed, a payload of two files beside the program.
struct Machine {
  Machine() {
    fake.files.AddDrive('C');
    fake.files.AddDrive('D');
    fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
    fake.files.AddFile("C:\\Dist\\Data\\Readme.txt", "readme");
    fake.files.AddFile("C:\\Dist\\Data\\BX_PlotSweep2013.ARX", "module");
    for (const auto& [key, year] : {std::pair{kProduct2010, 2010}, std::pair{kProduct2014, 2014}}) {
      const std::string folder = "D:\\AutoCAD " + std::to_string(year);
      fake.registry.SetString(kHKeyLocalMachine, key, "AcadLocation", folder);
      fake.registry.SetString(kHKeyLocalMachine, key, "ProductName",
                              "AutoCAD " + std::to_string(year));
      fake.files.AddFolder(folder + "\\Fonts");
    }
  }

  int Run(const std::string& arguments) {
    CommandLine line;
    std::string problem;
    EXPECT_TRUE(ParseCommandLine(arguments, &line, &problem)) << problem;
    state.FindAcadReleases();
    return RunUnattended(state, line, 32);
  }

  bool Registered(const char* product, int year) const {
    return fake.registry.KeyExists(
        kHKeyLocalMachine,
        std::string(product) + "\\Applications\\BX_PlotSweep" + std::to_string(year));
  }

  FakePlatform fake;
  SilentPrompt silent;
  Platform platform{fake.registry, fake.files, fake.environment, fake.processes, silent};
  SetupState state{platform};
};

TEST(Unattended, InstallsTheDialogsDefaultsWithoutAskingAndEndsWithZero) {
  Machine m;
  EXPECT_EQ(ui::kExitDone, m.Run("/S"));
  EXPECT_EQ("readme", m.fake.files.ReadFile("C:\\Brenix\\B-PlotSweep\\Readme.txt"));
  EXPECT_TRUE(m.Registered(kProduct2010, 2010));
  EXPECT_TRUE(m.Registered(kProduct2014, 2014));
  EXPECT_TRUE(m.silent.Texts().empty());
}

TEST(Unattended, TheFolderAndReleasesAskedForAreTheOnesInstalled) {
  Machine m;
  EXPECT_EQ(ui::kExitDone, m.Run("/S \"/D=D:\\My Tools\" /R=2014"));
  EXPECT_TRUE(m.fake.files.FileExists("D:\\My Tools\\B-PlotSweep\\Readme.txt"));
  EXPECT_FALSE(m.Registered(kProduct2010, 2010));
  EXPECT_TRUE(m.Registered(kProduct2014, 2014));
}

TEST(Unattended, EachWayOfEndingHasItsExitCode) {
  struct Case {
    const char* name;
    std::string arguments;
    void (*arrange)(FakePlatform&);
    int exitCode;
  };
  const Case cases[] = {
      {"release not installed", "/S /R=2015", [](FakePlatform&) {}, ui::kExitRefused},
      {"relative folder", "/S /D=Brenix", [](FakePlatform&) {}, ui::kExitRefused},
      {"host running", "/S", [](FakePlatform& f) { f.processes.SetImageNames({"acad.exe"}); },
       ui::kExitHostRunning},
      {"no payload", "/S",
       [](FakePlatform& f) { f.environment.SetModulePath("C:\\Other\\SetUp.exe"); },
       ui::kExitNoPayload},
      {"file that cannot be copied", "/S",
       [](FakePlatform& f) { f.files.Fail(Fault("CopyOver", "C:\\Dist\\Data\\Readme.txt")); },
       ui::kExitCopyStopped},
      {"host step denied", "/S",
       [](FakePlatform& f) {
         f.registry.Fail(Fault("OpenKey", KeyName(kHKeyLocalMachine, kProduct2010)));
       },
       ui::kExitHostStepFailed},
  };
  for (const Case& c : cases) {
    Machine machine;
    c.arrange(machine.fake);
    EXPECT_EQ(c.exitCode, machine.Run(c.arguments)) << c.name;
  }
}

TEST(Unattended, NoReleaseFoundIsNothingToInstall) {
  Machine m;
  m.fake.registry.Fail(Fault("OpenKey", KeyName(kHKeyLocalMachine, "")));
  EXPECT_EQ(ui::kExitRefused, m.Run("/S /R=all"));
  EXPECT_FALSE(m.fake.files.FolderExists("C:\\Brenix"));
}

}  // namespace
