// Install, then take off again: the record, the Programs and Features entry,
// the removal and the uninstall's flow, on a machine of fakes with two
// AutoCAD releases, their profiles and a distribution.

#include "ui/setup/uninstall.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "base/text.h"
#include "base/utf8.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "install/product_entry.h"
#include "install/profiles.h"
#include "install/record_keeping.h"
#include "install/removal.h"
#include "support/fake_platform.h"
#include "support/recording_progress.h"
#include "support/table_rows.h"
#include "support/test_values.h"
#include "ui/picker/folder_check.h"
#include "ui/setup/unattended.h"

using install::Leftover;
using install::RemovalOutcome;

namespace {

constexpr char kHost2010[] = "C:\\Program Files\\AutoCAD 2010";
constexpr char kHost2014[] = "C:\\Program Files\\AutoCAD 2014";
constexpr char kUninstallKeys[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B-PlotSweep";
// The settings file and its folder, which the uninstall leaves to the user.
constexpr char kSettingsFolder[] = "C:\\USERS\\U\\APPDATA\\ROAMING\\BRENIX";
constexpr char kSettingsFile[] = "C:\\USERS\\U\\APPDATA\\ROAMING\\BRENIX\\BRENIX.INI";
const char* const kPayload[] = {"BX_PlotSweep2010.ARX", "BX_PlotSweep2013.ARX", "Readme.txt",
                                "Brenix.Ini",           "Brenix_EN.shx",        "ACAD2010P.dll",
                                "ACAD2013P.dll",        "itextsharp.dll"};

std::string Profile(const std::string& release, const std::string& product) {
  return "SOFTWARE\\Autodesk\\AutoCAD\\" + release + "\\" + product +
         "\\Profiles\\<<Unnamed Profile>>\\Variables";
}
const std::string kProfile2010 = Profile("R18.0", "ACAD-8001:804");
const std::string kProfile2014 = Profile("R19.1", "ACAD-D001:804");
std::string Native2010() { return std::string(kProduct2010) + "\\Applications\\BX_PlotSweep2010"; }

// Every key with its values, and every file with its content: what a
// machine is, as far as an install may touch it. The settings file is the
// user's, and a trusted path the install upper-cased stays so: both are left
// out.
using Snapshot = std::map<std::string, std::string>;

struct Machine {
  Machine() {
    fake.AddDrivesProgramAndAppData();
    for (const char* name : kPayload) fake.files.AddFile(In("C:\\Dist\\Data", name), name);
    Discover(2010, kProduct2010, kHost2010);
    Discover(2014, kProduct2014, kHost2014);
    fake.registry.SetString(platform::kHKeyCurrentUser, kProfile2010, "TRUSTEDPATHS", "d:\\tools");
    fake.registry.AddKey(platform::kHKeyCurrentUser, kProfile2014);
    fake.registry.AddKey(platform::kHKeyLocalMachine, kUninstallKeys);
  }

  void Discover(int year, const std::string& productKey, const std::string& folder) {
    fake.registry.AddKey(platform::kHKeyLocalMachine, productKey + "\\Applications");
    fake.files.AddFolder(folder + "\\Fonts");
    installations.ProductKeys(year).push_back(productKey + "\\");
    installations.HostFolders(year).push_back(folder);
  }

  // The unattended install into `chosen`: every missing level made, then
  // every step.
  install::InstallOutcome Install(const std::string& chosen) {
    const std::string installFolder = chosen + "\\B-PlotSweep";
    install::InstallScope scope;
    scope.identity = {"批打印软件 V2025.03.01 ( 64位 AutoCAD版 )", "2025.03.01"};
    scope.createdFolders = install::MissingFolders(fake.files, installFolder);
    EXPECT_EQ(ui::kFolderReady,
              ui::CreateFolder(fake.files, fake.prompt, fake.environment, chosen));
    fake.files.MakeDir(installFolder);
    RecordingProgress progress;
    const auto outcome = install::RunInstallSteps(fake.platform, installations, installFolder,
                                                  TicksFor({2010, 2014}), progress, scope);
    EXPECT_TRUE(outcome.has_value());
    return outcome.value_or(install::InstallOutcome{});
  }

  RemovalOutcome Remove(const std::string& installFolder, const std::string& parking = "") {
    install::RemovalScope scope;
    scope.parkingFolder = parking;
    return install::RemoveInstallation(fake.platform, installations, installFolder, scope);
  }

  Snapshot Take() const {
    Snapshot machine;
    for (const std::string& name : fake.registry.AllKeys()) {
      machine[name] = "";
      const std::size_t slash = name.find('\\');
      const bool local = name.compare(0, slash, "HKEY_LOCAL_MACHINE") == 0;
      const platform::RegKey root =
          local ? platform::kHKeyLocalMachine : platform::kHKeyCurrentUser;
      const std::string path = slash == std::string::npos ? "" : name.substr(slash + 1);
      for (const std::string& value : fake.registry.ValueNames(root, path)) {
        std::string data = fake.registry.GetValue(root, path, value)->data;
        if (value == "TRUSTEDPATHS") data = base::ToUpperAscii(data);
        if (value != "TRUSTEDPATHS" || data.size() > 1) machine[name + "|" + value] = data;
      }
    }
    for (const std::string& path : fake.files.AllPaths()) {
      if (path == kSettingsFolder || path == kSettingsFile) continue;
      machine[path] = fake.files.FolderExists(path) ? "<folder>" : fake.files.ReadFile(path);
    }
    return machine;
  }

  FakePlatform fake;
  base::Installations installations;
};

class MachineTest : public ::testing::Test, public Machine {};

// Install and uninstall leave the machine as it was, whatever it held.
struct RoundTrip {
  const char* name;
  const char* chosen;
  int installs;
  std::function<void(FakePlatform&)> arrange;
  PRINTS_ROW_NAME(RoundTrip)
};

class RoundTripTest : public MachineTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(RoundTripTest, LeavesTheMachineAsItWas) {
  const RoundTrip& row = GetParam();
  if (row.arrange) row.arrange(fake);
  const Snapshot before = Take();
  for (int k = 0; k < row.installs; ++k) EXPECT_TRUE(Install(row.chosen).Complete());
  EXPECT_TRUE(fake.registry.KeyExists(platform::kHKeyLocalMachine, kEntry));
  // Every profile trusts the folder, names outside any one code page too.
  const std::string folder = base::ToUpperAscii(std::string(row.chosen) + "\\B-PlotSweep");
  for (const std::string& profile : install::ProfileVariablesKeys(fake.registry)) {
    const auto trusted =
        fake.registry.GetWideValue(platform::kHKeyCurrentUser, profile, "TRUSTEDPATHS");
    ASSERT_TRUE(trusted) << profile;
    EXPECT_NE(std::string::npos, base::ToUpperAscii(base::Utf16ToUtf8(trusted->data)).find(folder))
        << profile;
  }
  const RemovalOutcome outcome = Remove(std::string(row.chosen) + "\\B-PlotSweep");
  EXPECT_TRUE(outcome.Complete());
  EXPECT_TRUE(outcome.recordRead);
  EXPECT_EQ(before, Take());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundTripTest,
    ::testing::Values(
        RoundTrip{"one install", "C:\\Brenix", 1, {}},
        RoundTrip{"two installs into one folder", "C:\\Brenix", 2, {}},
        RoundTrip{"levels created", "D:\\CAD\\Tools", 1, {}},
        RoundTrip{"chosen folder there before", "D:\\Tools", 1,
                  [](FakePlatform& fake) { fake.files.AddFolder("D:\\Tools\\Other"); }},
        RoundTrip{"host files there before", "C:\\Brenix", 2,
                  [](FakePlatform& fake) {
                    fake.files.AddFile(std::string(kHost2010) + "\\Fonts\\Brenix_EN.shx", "own");
                    fake.files.AddFile(std::string(kHost2014) + "\\itextsharp.dll", "own");
                  }},
        RoundTrip{"names outside any one code page", "C:\\插件\\工具 한국어", 1,
                  [](FakePlatform& fake) {
                    fake.registry.SetString(platform::kHKeyCurrentUser,
                                            "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\"
                                            "Profiles\\프로필\\Variables",
                                            "TRUSTEDPATHS", "D:\\도구;E:\\😀");
                  }}),
    RowName());

TEST_F(MachineTest, TheRecordNamesWhatTheInstallDid) {
  Install("C:\\Brenix");
  base::TextList lines;
  ASSERT_EQ(0, install::ReadRecordLines(fake.files, "C:\\Brenix\\B-PlotSweep\\InstallRecord.txt",
                                        &lines));
  const install::InstallRecord record = install::ParseRecord(lines);
  EXPECT_FALSE(record.damaged);
  EXPECT_EQ((base::TextList{"C:\\Brenix", "C:\\Brenix\\B-PlotSweep"}), record.folders);
  EXPECT_EQ(6u, record.productFiles.size());  // the payload but the settings and host files
  ASSERT_EQ(4u, record.keys.size());
  EXPECT_EQ(2010, record.keys[0].year);
  EXPECT_EQ("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2010.ARX", record.keys[0].loader);
  EXPECT_EQ((base::TextList{kProfile2010, kProfile2014}), record.trustedProfiles);
  EXPECT_EQ(2u * 4u, record.hostFiles.size());  // per host: a font and three libraries
}

TEST_F(MachineTest, TheEntryDescribesTheInstallForProgramsAndFeatures) {
  Install("C:\\Brenix");
  const auto value = [&](const char* name) {
    return fake.registry.GetValue(platform::kHKeyLocalMachine, kEntry, name)->data;
  };
  EXPECT_EQ(std::string("批打印软件 V2025.03.01 ( 64位 AutoCAD版 )") + '\0', value("DisplayName"));
  EXPECT_EQ(std::string("2025.03.01") + '\0', value("DisplayVersion"));
  EXPECT_EQ(std::string("Brenix") + '\0', value("Publisher"));
  EXPECT_EQ(std::string("C:\\Brenix\\B-PlotSweep") + '\0', value("InstallLocation"));
  EXPECT_EQ(std::string("\"C:\\Brenix\\B-PlotSweep\\Uninstall.exe\" /U") + '\0',
            value("UninstallString"));
  EXPECT_EQ(std::string("\"C:\\Brenix\\B-PlotSweep\\Uninstall.exe\" /U /S") + '\0',
            value("QuietUninstallString"));
  EXPECT_EQ(std::string("C:\\Brenix\\B-PlotSweep\\Uninstall.exe") + '\0', value("DisplayIcon"));
  EXPECT_EQ(std::string("\x01\0\0\0", 4), value("EstimatedSize"));  // 101 bytes: one KiB
  EXPECT_EQ(std::string("20261208") + '\0', value("InstallDate"));
  EXPECT_EQ(std::string("\x01\0\0\0", 4), value("NoModify"));
  EXPECT_EQ(std::string("\x01\0\0\0", 4), value("NoRepair"));
  EXPECT_EQ("the program", fake.files.ReadFile("C:\\Brenix\\B-PlotSweep\\Uninstall.exe"));
}

TEST_F(MachineTest, WithoutRightsToTheMachineTheEntryIsTheUsers) {
  fake.registry.Fail(Fault("CreateKey", KeyName(platform::kHKeyLocalMachine, kEntry)));
  EXPECT_TRUE(Install("C:\\Brenix").Complete());
  EXPECT_FALSE(fake.registry.KeyExists(platform::kHKeyLocalMachine, kEntry));
  EXPECT_EQ(std::string("C:\\Brenix\\B-PlotSweep") + '\0',
            fake.registry.GetValue(platform::kHKeyCurrentUser, kEntry, "InstallLocation")->data);
  EXPECT_TRUE(Remove("C:\\Brenix\\B-PlotSweep").Complete());
  EXPECT_FALSE(fake.registry.KeyExists(platform::kHKeyCurrentUser, kEntry));
}

// What another install, the user or a stop put there stays, and is named.
TEST_F(MachineTest, WhatIsNotTheProductsStays) {
  Install("C:\\Brenix");
  fake.registry.SetString(platform::kHKeyLocalMachine, Native2010(), "LOADER",
                          "E:\\Other\\BX_PlotSweep2010.ARX");
  fake.files.AddFile("C:\\Brenix\\B-PlotSweep\\notes.txt", "mine");
  const RemovalOutcome outcome = Remove("C:\\Brenix\\B-PlotSweep");
  ASSERT_EQ(2u, outcome.left.size());  // the folder, and the one created above it
  for (const install::LeftItem& item : outcome.left) {
    EXPECT_EQ(Leftover::kFolder, item.kind);
    EXPECT_EQ(kErrorDirNotEmpty, item.error);
  }
  EXPECT_EQ((std::vector<std::string>{"notes.txt"}),
            fake.files.ListNames("C:\\Brenix\\B-PlotSweep"));
  EXPECT_TRUE(fake.registry.KeyExists(platform::kHKeyLocalMachine, Native2010()));
  EXPECT_TRUE(fake.registry.KeyExists(
      platform::kHKeyLocalMachine, std::string(kProduct2010) + "\\Applications\\Brenix2010DLLP"));
  EXPECT_FALSE(fake.registry.KeyExists(
      platform::kHKeyLocalMachine, std::string(kProduct2014) + "\\Applications\\BX_PlotSweep2014"));
  EXPECT_FALSE(fake.registry.KeyExists(platform::kHKeyLocalMachine, kEntry));
}

// A failure keeps the uninstaller, the record and the entry: once it is
// mended, the uninstall runs again and finishes.
TEST_F(MachineTest, AKeyThatCannotBeRemovedKeepsTheMeansToTryAgain) {
  const Snapshot before = Take();
  Install("C:\\Brenix");
  fake.registry.Fail(Fault("DeleteKey").Once());
  const RemovalOutcome first = Remove("C:\\Brenix\\B-PlotSweep");
  ASSERT_EQ(1u, first.left.size());
  EXPECT_EQ(Leftover::kDemandLoad, first.left[0].kind);
  EXPECT_TRUE(fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\Uninstall.exe"));
  EXPECT_TRUE(fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\InstallRecord.txt"));
  EXPECT_TRUE(fake.registry.KeyExists(platform::kHKeyLocalMachine, kEntry));
  EXPECT_TRUE(Remove("C:\\Brenix\\B-PlotSweep").Complete());
  EXPECT_EQ(before, Take());
}

TEST_F(MachineTest, WithoutTheRecordWhatIsProvablyTheProductsGoes) {
  Install("C:\\Brenix");
  fake.files.RemoveFile("C:\\Brenix\\B-PlotSweep\\InstallRecord.txt");
  const RemovalOutcome outcome = Remove("C:\\Brenix\\B-PlotSweep");
  EXPECT_FALSE(outcome.recordRead);
  EXPECT_FALSE(fake.registry.KeyExists(platform::kHKeyLocalMachine, Native2010()));
  EXPECT_EQ(std::string("D:\\TOOLS") + '\0',
            fake.registry.GetValue(platform::kHKeyCurrentUser, kProfile2010, "TRUSTEDPATHS")->data);
  EXPECT_FALSE(fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2010.ARX"));
  EXPECT_TRUE(fake.files.FileExists("C:\\Brenix\\B-PlotSweep\\Readme.txt"));
  EXPECT_TRUE(fake.files.FileExists(std::string(kHost2010) + "\\ACAD2010P.dll"));
}

// The copy the uninstaller runs from moves the running original away.
TEST_F(MachineTest, TheRunningUninstallerIsMovedOutOfTheFolder) {
  Install("C:\\Brenix");
  fake.files.AddFolder("C:\\Temp\\copy");
  fake.files.MarkRunning("C:\\Brenix\\B-PlotSweep\\Uninstall.exe");
  EXPECT_TRUE(Remove("C:\\Brenix\\B-PlotSweep", "C:\\Temp\\copy").Complete());
  EXPECT_FALSE(fake.files.FolderExists("C:\\Brenix"));
  EXPECT_EQ((std::vector<std::string>{"Uninstall-removed.exe"}),
            fake.files.ListNames("C:\\Temp\\copy"));
}

// Installing elsewhere takes the installation over; the old folder goes and
// is trusted no more, and one uninstall then leaves the machine as it was.
TEST_F(MachineTest, AnInstallElsewhereTakesTheInstallationOver) {
  const Snapshot before = Take();
  Install("C:\\Brenix");
  EXPECT_TRUE(Install("D:\\Tools").Complete());
  EXPECT_FALSE(fake.files.FolderExists("C:\\Brenix"));
  EXPECT_EQ(std::string("D:\\TOOLS;D:\\TOOLS\\B-PLOTSWEEP") + '\0',
            fake.registry.GetValue(platform::kHKeyCurrentUser, kProfile2010, "TRUSTEDPATHS")->data);
  EXPECT_EQ(std::string("D:\\Tools\\B-PlotSweep") + '\0',
            fake.registry.GetValue(platform::kHKeyLocalMachine, kEntry, "InstallLocation")->data);
  EXPECT_EQ(std::optional<std::string>("D:\\Tools"), ui::RecordedFolder(fake.registry));
  EXPECT_TRUE(Remove("D:\\Tools\\B-PlotSweep").Complete());
  EXPECT_EQ(before, Take());
}

// A user without rights: a copy as administrator removes the machine's
// part, then the user's own profiles are cleaned by the process they started.
TEST_F(MachineTest, WithoutRightsACopyAsAdministratorRemovesTheMachinesPart) {
  const Snapshot before = Take();
  Install("C:\\Brenix");
  fake.processes.SetElevated(false);
  fake.registry.Fail(Fault("ProbeWrite", KeyName(platform::kHKeyLocalMachine, kEntry)));
  fake.processes.SetRestartedProgram([this](const std::string& arguments) {
    base::CommandLine line;
    std::string problem;
    EXPECT_TRUE(base::ParseCommandLine(arguments, &line, &problem)) << problem;
    const int exitCode = ui::RunUninstall(fake.platform, installations, line, "");
    EXPECT_NE(std::string::npos,
              fake.registry.GetValue(platform::kHKeyCurrentUser, kProfile2010, "TRUSTEDPATHS")
                  ->data.find("BRENIX"));
    return exitCode;
  });
  for (int answer : {platform::kIdYes, platform::kIdYes, platform::kIdOk})
    fake.prompt.Answer(answer);
  base::CommandLine line;
  line.uninstall = true;
  EXPECT_EQ(ui::kExitDone, ui::RunUninstall(fake.platform, installations, line, ""));
  EXPECT_EQ((std::vector<std::string>{"/ELEVATED /U \"/D=C:\\Brenix\""}),
            fake.processes.Restarts());
  EXPECT_EQ("批打印软件已卸载。", LastOf(fake.prompt.Calls()).text);
  EXPECT_EQ(before, Take());
}

// A 32-bit program on 64-bit Windows finds a release through both of its
// keys: the second copy into the same host folder backs up nothing.
TEST_F(MachineTest, AHostFolderFoundTwiceGetsNoBackupOfTheProductsOwnFiles) {
  installations.ProductKeys(2010).push_back(std::string(kProduct2010) + "\\");
  installations.HostFolders(2010).push_back(kHost2010);
  const Snapshot before = Take();
  EXPECT_TRUE(Install("C:\\Brenix").Complete());
  EXPECT_FALSE(fake.files.FileExists(std::string(kHost2010) + "\\ACAD2010P.dll.B-PlotSweep.bak"));
  EXPECT_TRUE(Remove("C:\\Brenix\\B-PlotSweep").Complete());
  EXPECT_EQ(before, Take());
}

// The same folder under another spelling is not taken for the folder
// abandoned: it holds the record that names it so.
TEST_F(MachineTest, AFolderHoldingThisRecordIsNeverRemovedAsAbandoned) {
  const std::string record = install::RecordLine({"abandoned", "C:\\Alias\\B-PlotSweep"}) + "\r\n";
  for (const char* folder : {"C:\\Real\\B-PlotSweep", "C:\\Alias\\B-PlotSweep"}) {
    fake.files.AddFile(In(folder, "InstallRecord.txt"), record);
    fake.files.AddFile(In(folder, "BX_PlotSweep2010.ARX"), "module");
  }
  install::HostFailures failures;
  install::RemoveAbandonedInstalls(fake.platform, installations, "C:\\Real\\B-PlotSweep",
                                   install::InstallPart::kEverything, &failures);
  EXPECT_TRUE(failures.empty());
  EXPECT_TRUE(fake.files.FileExists("C:\\Alias\\B-PlotSweep\\BX_PlotSweep2010.ARX"));
}

// The flow: found, confirmed, the host checked, then one message.
struct Flow {
  const char* name;
  const char* arguments;
  bool installed;
  bool hostRunning;
  int answer;  // to the confirmation; 0: none is asked
  int exitCode;
  const char* lastMessage;  // its start
  bool removed;
  PRINTS_ROW_NAME(Flow)
};

class UninstallFlowTest : public MachineTest, public ::testing::WithParamInterface<Flow> {};

TEST_P(UninstallFlowTest, EndsWithItsExitCodeAndOneMessage) {
  const Flow& row = GetParam();
  if (row.installed) Install("C:\\Brenix");
  fake.processes.SetImageNames({row.hostRunning ? "acad.exe" : "explorer.exe"});
  if (row.answer != 0) fake.prompt.Answer(row.answer);
  fake.prompt.Answer(platform::kIdOk);
  base::CommandLine line;
  std::string problem;
  ASSERT_TRUE(base::ParseCommandLine(row.arguments, &line, &problem));
  EXPECT_EQ(row.exitCode, ui::RunUninstall(fake.platform, installations, line, ""));
  ASSERT_FALSE(fake.prompt.Calls().empty());
  EXPECT_EQ(0u, LastOf(fake.prompt.Calls()).text.find(row.lastMessage))
      << LastOf(fake.prompt.Calls()).text;
  EXPECT_EQ(row.removed, !fake.files.FolderExists("C:\\Brenix\\B-PlotSweep"));
  EXPECT_EQ(row.installed && !row.removed,
            fake.registry.KeyExists(platform::kHKeyLocalMachine, Native2010()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UninstallFlowTest,
    ::testing::Values(Flow{"confirmed", "/U", true, false, platform::kIdYes, ui::kExitDone,
                           "批打印软件已卸载。", true},
                      Flow{"declined", "/U", true, false, platform::kIdNo, ui::kExitNotConfirmed,
                           "确定要卸载批打印软件吗？\n\n安装目录：C:\\Brenix\\B-PlotSweep\nAutoCAD "
                           "版本：2010、2014",
                           false},
                      Flow{"host running", "/U", true, true, platform::kIdYes, ui::kExitHostRunning,
                           "请关闭AutoCAD后再进行卸载 !", false},
                      Flow{"nothing installed", "/U", false, false, 0, ui::kExitRefused,
                           "没有找到已安装的批打印软件。", true},
                      Flow{"folder given", "/U /D=C:\\Brenix", true, false, platform::kIdYes,
                           ui::kExitDone, "批打印软件已卸载。", true},
                      Flow{"empty folder given", "/U /D=D:\\", true, false, 0, ui::kExitRefused,
                           "没有找到已安装的批打印软件。", false},
                      Flow{"releases given", "/U /R=2010", true, false, 0, ui::kExitRefused,
                           "命令行参数无效：/R=", false}),
    RowName());

// Whatever single call of an uninstall fails, it is never reported done
// while something stays, and running it again leaves the machine as it was
// before the install, but for folders the first run named as left.
TEST(UninstallFaultMatrix, AFailureIsSaidAndMendedByRunningAgain) {
  Machine clean;
  const Snapshot before = clean.Take();
  clean.Install("C:\\Brenix");
  clean.fake.files.ClearLog();
  const int registryCallsBefore = clean.fake.registry.CallCount();
  ASSERT_TRUE(clean.Remove("C:\\Brenix\\B-PlotSweep").Complete());
  const int registryCalls = clean.fake.registry.CallCount() - registryCallsBefore;
  const int fileCalls = static_cast<int>(clean.fake.files.Log().size());
  for (bool onFiles : {false, true}) {
    for (int nth = 1; nth <= (onFiles ? fileCalls : registryCalls); ++nth) {
      SCOPED_TRACE((onFiles ? "file call " : "registry call ") + std::to_string(nth));
      Machine machine;
      machine.Install("C:\\Brenix");
      const Fault fault = Fault("*").Nth(nth).Once();
      if (onFiles) {
        machine.fake.files.Fail(fault);
      } else {
        machine.fake.registry.Fail(fault);
      }
      // Done means done; otherwise running it again finishes the job.
      const RemovalOutcome first = machine.Remove("C:\\Brenix\\B-PlotSweep");
      if (!first.Complete()) machine.Remove("C:\\Brenix\\B-PlotSweep");
      // A folder named as left, and all it held, is the user's to remove.
      Snapshot after = machine.Take();
      for (const install::LeftItem& item : first.left) {
        if (item.kind != Leftover::kFolder) continue;
        const std::string folder = base::ToUpperAscii(item.target);
        for (auto at = after.lower_bound(folder);
             at != after.end() && at->first.compare(0, folder.size(), folder) == 0;) {
          at = after.erase(at);
        }
      }
      EXPECT_EQ(before, after);
      EXPECT_EQ(0, machine.fake.registry.OpenHandleCount());
    }
  }
}

}  // namespace
