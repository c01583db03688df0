#include "ui/setup/unattended.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/host_discovery.h"
#include "support/fake_platform.h"
#include "support/table_rows.h"
#include "support/test_values.h"

using base::CommandLine;
using base::ParseCommandLine;
using ui::RunUnattended;
using ui::SilentPrompt;

namespace {

// Releases 2010 and 2014 installed, a payload of two files beside the program.
struct Machine {
  Machine() {
    fake.files.AddDrive('C');
    fake.files.AddDrive('D');
    fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
    fake.files.AddFile("C:\\Dist\\SetUp.exe", "the program");
    fake.files.AddFile("C:\\Dist\\Data\\Readme.txt", "readme");
    fake.files.AddFile("C:\\Dist\\Data\\BX_PlotSweep2013.ARX", "module");
    for (const auto& [key, year] : {std::pair{kProduct2010, 2010}, std::pair{kProduct2014, 2014}}) {
      const std::string folder = "D:\\AutoCAD " + std::to_string(year);
      fake.registry.SetString(platform::kHKeyLocalMachine, key, "AcadLocation", folder);
      fake.registry.SetString(platform::kHKeyLocalMachine, key, "ProductName",
                              "AutoCAD " + std::to_string(year));
      fake.files.AddFolder(folder + "\\Fonts");
    }
  }

  int Run(const std::string& arguments) {
    CommandLine line;
    std::string problem;
    EXPECT_TRUE(ParseCommandLine(arguments, &line, &problem)) << problem;
    return RunUnattended(platform, discovery::FindInstallations(fake.registry), line, 32);
  }

  bool Registered(const char* product, int year) const {
    return fake.registry.KeyExists(
        platform::kHKeyLocalMachine,
        std::string(product) + "\\Applications\\BX_PlotSweep" + std::to_string(year));
  }

  FakePlatform fake;
  SilentPrompt silent;
  platform::Platform platform{fake.registry, fake.files, fake.environment, fake.processes, silent};
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
  EXPECT_EQ(ui::kExitDone, m.Run("/S \"/D=D:\\My Tools\\CAD\" /R=2014"));
  EXPECT_TRUE(m.fake.files.FileExists("D:\\My Tools\\CAD\\B-PlotSweep\\Readme.txt"));
  EXPECT_FALSE(m.Registered(kProduct2010, 2010));
  EXPECT_TRUE(m.Registered(kProduct2014, 2014));
}

// Each way of ending has its exit code and says why before it ends (the
// log keeps what the silent prompt was told); nothing is created when the
// run ends before the install, and no copy asks for rights again.
struct Ending {
  const char* name;
  std::string arguments;
  void (*arrange)(FakePlatform&);
  int exitCode;
  std::string reason;  // how the last message begins
  PRINTS_ROW_NAME(Ending)
};

void Nothing(FakePlatform&) {}

std::vector<Ending> Endings() {
  const auto none = &Nothing;
  const std::string badFolder = "The folder:\n\nD:\\a|b\n\nis invalid.";
  return {
      {"release not installed", "/S /R=2015", none, ui::kExitRefused, "命令行参数无效：/R=2015"},
      {"relative folder", "/S /D=Brenix", none, ui::kExitRefused, "安装路径无效 !"},
      {"invalid folder name", "/S /D=D:\\a|b", none, ui::kExitRefused, badFolder},
      {"folder that cannot be made", "/S /D=D:\\Tools\\CAD",
       [](FakePlatform& f) { f.files.Fail(Fault("CreateDir", "D:\\Tools")); }, ui::kExitRefused,
       "The folder:\n\nD:\\Tools\\CAD\n\ncan not be created."},
      {"host running", "/S", [](FakePlatform& f) { f.processes.SetImageNames({"acad.exe"}); },
       ui::kExitHostRunning, "请关闭AutoCAD后再进行安装 !"},
      {"no payload", "/S",
       [](FakePlatform& f) { f.environment.SetModulePath("C:\\Other\\SetUp.exe"); },
       ui::kExitNoPayload, kNoPayloadText},
      {"file that cannot be copied", "/S",
       [](FakePlatform& f) { f.files.Fail(Fault("CopyOver", "C:\\Dist\\Data\\Readme.txt")); },
       ui::kExitCopyStopped, CopyFailedText("C:\\Brenix\\B-PlotSweep\\Readme.txt")},
      {"host step denied", "/S",
       [](FakePlatform& f) {
         f.registry.Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, kProduct2010)));
       },
       ui::kExitHostStepFailed, "安装没有全部完成："},
      {"copy started for rights it did not get", "/ELEVATED",
       [](FakePlatform& f) {
         f.processes.SetElevated(false);
         f.registry.Fail(Fault("ProbeWrite"));
         f.registry.Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, kProduct2014)));
       },
       ui::kExitHostStepFailed, "安装没有全部完成："},
  };
}

class UnattendedEndingTest : public ::testing::TestWithParam<Ending> {};

TEST_P(UnattendedEndingTest, HasItsExitCodeAndItsReason) {
  const Ending& c = GetParam();
  Machine machine;
  c.arrange(machine.fake);
  EXPECT_EQ(c.exitCode, machine.Run(c.arguments));
  EXPECT_EQ(c.reason, LastOf(machine.silent.Texts()).substr(0, c.reason.size()));
  EXPECT_TRUE(machine.fake.processes.Restarts().empty());
  if (c.exitCode == ui::kExitRefused || c.exitCode == ui::kExitHostRunning ||
      c.exitCode == ui::kExitNoPayload) {
    EXPECT_TRUE(machine.fake.files.CallsOf(FsOp::kMakeDir).empty());
    EXPECT_FALSE(machine.fake.files.FolderExists("C:\\Brenix"));
  }
}

INSTANTIATE_TEST_SUITE_P(EachWay, UnattendedEndingTest, ::testing::ValuesIn(Endings()), RowName());

TEST(Unattended, NoReleaseFoundIsNothingToInstall) {
  Machine m;
  m.fake.registry.Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, "")));
  EXPECT_EQ(ui::kExitRefused, m.Run("/S /R=all"));
  EXPECT_FALSE(m.fake.files.FolderExists("C:\\Brenix"));
  EXPECT_EQ(std::vector<std::string>{"没有要安装的 AutoCAD 版本。"}, m.silent.Texts());
}

// The copy started for administrator rights leaves the user's steps to the
// program that started it; the log being written is never installed.
TEST(Unattended, TheElevatedCopyDoesTheMachineStepsAndNoFileIsTheLog) {
  Machine m;
  m.fake.environment.SetVariable("APPDATA", "C:\\Users\\admin\\AppData\\Roaming");
  m.fake.files.AddFile("C:\\Dist\\Data\\Brenix.Ini", "settings");
  m.fake.files.AddFile("C:\\Dist\\Data\\setup.log", "half written");
  const char kVariables[] =
      "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\P\\Variables";
  m.fake.registry.SetString(platform::kHKeyCurrentUser, kVariables, "TRUSTEDPATHS", "");

  EXPECT_EQ(ui::kExitDone, m.Run("/ELEVATED \"/LOG=c:\\dist\\DATA\\Setup.log\""));

  EXPECT_TRUE(m.Registered(kProduct2014, 2014));
  EXPECT_TRUE(m.fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\Readme.txt"));
  EXPECT_FALSE(m.fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\setup.log"));
  EXPECT_FALSE(m.fake.files.FolderExists("C:\\Users\\admin\\AppData\\Roaming\\Brenix"));
  EXPECT_EQ(std::string(1, '\0'),
            m.fake.registry.GetValue(platform::kHKeyCurrentUser, kVariables, "TRUSTEDPATHS")->data);
}

}  // namespace
