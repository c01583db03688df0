#include "install/elevation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/host_discovery.h"
#include "install/install_sequence.h"
#include "support/fake_platform.h"
#include "support/recording_progress.h"
#include "support/table_rows.h"
#include "support/test_values.h"
#include "ui/setup/unattended.h"

using install::CheckInstallFolder;
using install::Elevation;
using install::InstallPart;
using install::OfferElevation;
using install::RunInstallSteps;

namespace {

// Product keys as discovery gives them, ending with a backslash.
const std::string kKey2014 = std::string(kProduct2014) + "\\";
const std::string kKey2010 = std::string(kProduct2010) + "\\";
constexpr char kAskText[] =
    "安装需要管理员权限：部分 AutoCAD 的注册表项或安装目录无法写入。\n\n"
    "是否以管理员身份重新启动安装程序？";
constexpr char kInvalidFolderText[] =
    "安装路径无效 !\n\n请选择一个有效的安装目录（路径不能为空，也不能过长）。";
constexpr char kProfileVariables[] =
    "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\Drafting\\Variables";

// Releases 2010 and 2014 found, 2014 ticked, the process not elevated.
struct Machine {
  Machine() {
    fake.files.AddDrive('C');
    fake.files.AddDrive('D');
    for (const auto& [year, key] : {std::pair{2010, kProduct2010}, std::pair{2014, kProduct2014}}) {
      const std::string folder = "C:\\AutoCAD " + std::to_string(year);
      fake.registry.SetString(platform::kHKeyLocalMachine, key, "AcadLocation", folder);
      fake.registry.SetString(platform::kHKeyLocalMachine, key, "ProductName",
                              "AutoCAD " + std::to_string(year));
      fake.files.AddFolder(folder);
      state.ProductKeys(year).push_back(std::string(key) + "\\");
      state.HostFolders(year).push_back(folder);
    }
    fake.processes.SetElevated(false);
  }

  // What a click on Install does up to the offer, with `typed` in the path edit.
  Elevation Click(const std::string& typed, int* exitCode, const std::string& log = "") {
    std::string folder = typed;
    if (!CheckInstallFolder(fake.platform, &folder)) return Elevation::kRestartFailed;
    return OfferElevation(fake.platform, state, folder, TicksFor({2014}), log, exitCode);
  }
  Elevation Offer() {
    int exitCode = -1;
    return Click("C:\\Program Files\\Brenix", &exitCode);
  }

  FakePlatform fake;
  base::Installations state;
};

struct Offer {
  const char* name;
  bool elevated;
  const char* deniedKey;     // null: none
  const char* deniedFolder;  // null: none
  long folderError;          // what probing the denied folder gives
  bool asked;
  PRINTS_ROW_NAME(Offer)
};

class ElevationOfferTest : public ::testing::TestWithParam<Offer> {};

TEST_P(ElevationOfferTest, IsMadeOnlyWhenNotElevatedAndATickedReleaseRefusesWriting) {
  const Offer& c = GetParam();
  Machine machine;
  machine.fake.processes.SetElevated(c.elevated);
  if (c.deniedKey) {
    machine.fake.registry.Fail(
        Fault("ProbeWrite", KeyName(platform::kHKeyLocalMachine, c.deniedKey)));
  }
  if (c.deniedFolder) {
    machine.fake.files.Fail(Fault("ProbeWrite", c.deniedFolder).Error(c.folderError));
  }
  machine.fake.prompt.Answer(platform::kIdNo);
  EXPECT_EQ(c.asked ? Elevation::kDeclined : Elevation::kNotNeeded, machine.Offer());
  EXPECT_EQ(c.asked ? 1u : 0u, machine.fake.prompt.Calls().size());
  EXPECT_TRUE(machine.fake.processes.Restarts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElevationOfferTest,
    ::testing::Values(
        Offer{"everything writable", false, nullptr, nullptr, 0, false},
        Offer{"elevated", true, kKey2014.c_str(), "C:\\AutoCAD 2014", kErrorAccessDenied, false},
        Offer{"product key denied", false, kKey2014.c_str(), nullptr, 0, true},
        Offer{"host folder denied", false, nullptr, "C:\\AutoCAD 2014", kErrorAccessDenied, true},
        Offer{"host folder gone", false, nullptr, "C:\\AutoCAD 2014", 3, false},
        Offer{"only an unticked release denied", false, kKey2010.c_str(), "C:\\AutoCAD 2010",
              kErrorAccessDenied, false}),
    RowName());

// The folder is settled before a restart is composed: a quote cannot smuggle
// options in, and the copy is never started with a folder it would refuse.
struct Typed {
  const char* name;
  std::string folder;   // in the path edit
  std::string restart;  // the copy's arguments; empty: refused as the folder is
  PRINTS_ROW_NAME(Typed)
};

class TypedFolderTest : public ::testing::TestWithParam<Typed> {};

TEST_P(TypedFolderTest, TheRestartCarriesTheSettledFolderOrNothingStarts) {
  const Typed& c = GetParam();
  Machine machine;
  machine.fake.registry.Fail(Fault("ProbeWrite", KeyName(platform::kHKeyLocalMachine, kKey2014)));
  machine.fake.prompt.Answer(c.restart.empty() ? platform::kIdOk : platform::kIdYes);
  int exitCode = -1;
  machine.Click(c.folder, &exitCode);
  const std::vector<PromptCall>& calls = machine.fake.prompt.Calls();
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ(c.restart.empty() ? kInvalidFolderText : kAskText, calls[0].text);
  EXPECT_EQ(c.restart.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.restart},
            machine.fake.processes.Restarts());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, TypedFolderTest,
    ::testing::Values(Typed{"trailing backslash", "C:\\Program Files\\Brenix\\",
                            "/ELEVATED \"/D=C:\\Program Files\\Brenix\" /R=2014"},
                      Typed{"copied as path", "\"D:\\CAD Tools\"",
                            "/ELEVATED \"/D=D:\\CAD Tools\" /R=2014"},
                      Typed{"options smuggled in", "C:\\Brenix\" /S \"/LOG=C:\\victim.txt", ""},
                      Typed{"empty", "", ""},
                      Typed{"too long", "C:\\" + std::string(300, 'x'), ""}),
    RowName());

TEST(Elevation, YesRunsTheCopyWithTheLogWaitsForItAndTakesItsExitCode) {
  Machine machine;
  machine.fake.registry.Fail(Fault("ProbeWrite", KeyName(platform::kHKeyLocalMachine, kKey2014)));
  machine.fake.processes.SetRestartedProgram([](const std::string&) { return 1; });
  machine.fake.prompt.Answer(platform::kIdYes);
  int exitCode = -1;

  EXPECT_EQ(Elevation::kRestarted,
            machine.Click("C:\\Program Files\\Brenix", &exitCode, "C:\\Logs\\setup.log"));

  EXPECT_EQ(1, exitCode);
  EXPECT_EQ((std::vector<PromptCall>{
                {kAskText, kSetupBoxCaption, platform::kMbYesNo | platform::kMbIconQuestion}}),
            machine.fake.prompt.Calls());
  EXPECT_EQ(std::vector<std::string>{"/ELEVATED \"/D=C:\\Program Files\\Brenix\" /R=2014 "
                                     "\"/LOG=C:\\Logs\\setup.log\""},
            machine.fake.processes.Restarts());
  EXPECT_TRUE(machine.fake.files.CallsOf(FsOp::kMakeDir).empty());
  EXPECT_TRUE(machine.fake.registry.SubKeyNames(platform::kHKeyLocalMachine, kProduct2014).empty());
}

TEST(Elevation, ARefusedRestartIsSaidAndTheInstallDoesNotGoOn) {
  Machine machine;
  machine.fake.files.Fail(Fault("ProbeWrite", "C:\\AutoCAD 2014"));
  machine.fake.processes.Fail(Fault("RestartElevated").Error(1223));
  machine.fake.prompt.Answer(platform::kIdYes);
  machine.fake.prompt.Answer(platform::kIdOk);

  EXPECT_EQ(Elevation::kRestartFailed, machine.Offer());

  ASSERT_EQ(2u, machine.fake.prompt.Calls().size());
  EXPECT_EQ((PromptCall{"未能以管理员身份重新启动安装程序（错误 1223）。", kSetupBoxCaption,
                        platform::kMbOk | platform::kMbIconWarning}),
            machine.fake.prompt.Calls()[1]);
}

// "Run as administrator" by a standard user runs the copy as another
// account: the copy does the machine-wide steps only, and the user who
// started the program gets the per-user ones from the starting process.
TEST(Elevation, TheCopyLeavesTheProfilesAndSettingsToTheUserWhoStartedIt) {
  Machine machine;
  FakePlatform& fake = machine.fake;
  fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
  fake.files.AddFile("C:\\Dist\\SetUp.exe", "the program");
  fake.environment.SetVariable("APPDATA", "C:\\Users\\ann\\AppData\\Roaming");
  fake.files.AddFolder("C:\\Users\\ann\\AppData\\Roaming");
  fake.files.AddFolder("C:\\Users\\admin\\AppData\\Roaming");
  fake.files.AddFile("C:\\Dist\\Data\\Readme.txt", "readme");
  fake.files.AddFile("C:\\Dist\\Data\\Brenix.Ini", "settings");
  fake.registry.SetString(platform::kHKeyCurrentUser, kProfileVariables, "TRUSTEDPATHS",
                          "d:\\tools");
  fake.registry.Fail(Fault("ProbeWrite", KeyName(platform::kHKeyLocalMachine, kKey2014)));
  fake.prompt.Answer(platform::kIdYes);

  // The administrator's copy: the same machine, its own settings folder.
  FakeEnvironment administrator;
  administrator.SetModulePath("C:\\Dist\\SetUp.exe");
  administrator.SetVariable("APPDATA", "C:\\Users\\admin\\AppData\\Roaming");
  ScriptedPrompt administratorPrompt;
  std::string trustedWhileCopyRan;
  fake.processes.SetRestartedProgram([&](const std::string& arguments) {
    platform::Platform platform{fake.registry, fake.files, administrator, fake.processes,
                                administratorPrompt};
    base::CommandLine line;
    std::string problem;
    EXPECT_TRUE(base::ParseCommandLine(arguments, &line, &problem)) << problem;
    const int exitCode =
        ui::RunUnattended(platform, discovery::FindInstallations(fake.registry), line, 32);
    trustedWhileCopyRan =
        fake.registry.GetValue(platform::kHKeyCurrentUser, kProfileVariables, "TRUSTEDPATHS")->data;
    return exitCode;
  });
  int exitCode = -1;
  ASSERT_EQ(Elevation::kRestarted, machine.Click("D:\\Brenix", &exitCode));
  ASSERT_EQ(0, exitCode);

  EXPECT_EQ("d:\\tools", trustedWhileCopyRan.substr(0, 8));
  EXPECT_EQ(8u, trustedWhileCopyRan.find('\0'));
  EXPECT_FALSE(fake.files.FolderExists("C:\\Users\\admin\\AppData\\Roaming\\Brenix"));
  EXPECT_EQ("readme", fake.files.ReadFile("D:\\Brenix\\B-PlotSweep\\Readme.txt"));
  EXPECT_FALSE(fake.files.FileExists("D:\\Brenix\\B-PlotSweep\\Brenix.Ini"));
  EXPECT_TRUE(fake.registry.KeyExists(
      platform::kHKeyLocalMachine, std::string(kProduct2014) + "\\Applications\\BX_PlotSweep2014"));

  RecordingProgress progress;
  const auto outcome =
      RunInstallSteps(fake.platform, machine.state, "D:\\Brenix\\B-PlotSweep", TicksFor({2014}),
                      progress, {InstallPart::kCurrentUser, "", {}, {}});
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(outcome->Complete());
  EXPECT_EQ("settings",
            fake.files.ReadFile("C:\\Users\\ann\\AppData\\Roaming\\Brenix\\Brenix.Ini"));
  const std::u16string trusted = u"D:\\TOOLS;D:\\BRENIX\\B-PLOTSWEEP";
  EXPECT_EQ(
      (FakeRegistry::WideValue{platform::kRegSz, trusted + u'\0'}),
      fake.registry.GetWideValue(platform::kHKeyCurrentUser, kProfileVariables, "TRUSTEDPATHS"));
}

}  // namespace
