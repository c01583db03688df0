#include "install/every_user.h"

#include <gtest/gtest.h>

#include <string>

#include "base/command_line.h"
#include "base/text.h"
#include "discovery/host_discovery.h"
#include "install/removal.h"
#include "support/fake_platform.h"
#include "support/table_rows.h"
#include "support/test_values.h"
#include "ui/setup/unattended.h"

namespace {

constexpr char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr char kVariables[] =
    "Software\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\<<Unnamed Profile>>\\Variables";
constexpr char kInstall[] = "C:\\Brenix\\B-PlotSweep";

// Three users: Ann logged on (her hive below HKEY_USERS), Bob not (his hive
// in his profile folder), Carl's hive in use elsewhere; and the service
// accounts, which are no users to serve.
constexpr char kAnn[] = "S-1-5-21-7-1001";
constexpr char kBob[] = "S-1-5-21-7-1002";
constexpr char kCarl[] = "S-1-5-21-7-1003";

struct Machine {
  // Without `profiles`, Ann is the only user, and she has no AutoCAD profile.
  explicit Machine(bool profiles = true) {
    fake.AddDrivesProgramAndAppData();
    fake.environment.SetVariable("SystemDrive", "C:");
    fake.files.AddFile("C:\\Dist\\Data\\Readme.txt", "readme");
    fake.files.AddFile("C:\\Dist\\Data\\Brenix.Ini", "settings");
    fake.registry.SetString(platform::kHKeyLocalMachine, kProduct2014, "AcadLocation",
                            "D:\\AutoCAD 2014");
    fake.registry.SetString(platform::kHKeyLocalMachine, kProduct2014, "ProductName",
                            "AutoCAD 2014");
    fake.files.AddFolder("D:\\AutoCAD 2014");
    for (const char* service : {"S-1-5-18", "S-1-5-19", "S-1-5-20"}) {
      AddUser(service, "%systemroot%\\system32\\config\\systemprofile");
    }
    AddUser(kAnn, "%SystemDrive%\\Users\\ann");
    if (!profiles) {
      fake.registry.AddKey(platform::kHKeyUsers, std::string(kAnn) + "\\Software\\Other");
      return;
    }
    fake.registry.SetString(platform::kHKeyUsers, std::string(kAnn) + "\\" + kVariables,
                            "TRUSTEDPATHS", "D:\\tools");
    AddUser(kBob, "C:\\Users\\bob");
    fake.registry.AddHiveFile("C:\\Users\\bob\\NTUSER.DAT");
    EXPECT_EQ(kErrorSuccess, fake.registry.LoadHive("arranging", "C:\\Users\\bob\\NTUSER.DAT"));
    fake.registry.AddKey(platform::kHKeyUsers, std::string("arranging\\") + kVariables);
    EXPECT_EQ(kErrorSuccess, fake.registry.UnloadHive("arranging"));
    AddUser(kCarl, "C:\\Users\\carl");
    fake.registry.AddHiveFile("C:\\Users\\carl\\NTUSER.DAT");
    fake.registry.MarkHiveInUse("C:\\Users\\carl\\NTUSER.DAT");
  }

  void AddUser(const std::string& sid, const std::string& folder) {
    fake.registry.SetString(platform::kHKeyLocalMachine, std::string(kProfileList) + "\\" + sid,
                            "ProfileImagePath", folder);
    if (folder.find("Users") != std::string::npos) {
      fake.files.AddFolder(ExpandedUserFolder(folder) + "\\AppData\\Roaming");
    }
  }

  static std::string ExpandedUserFolder(const std::string& folder) {
    const std::string variable = "%SystemDrive%";
    return folder.rfind(variable, 0) == 0 ? "C:" + folder.substr(variable.size()) : folder;
  }

  int Run(const std::string& arguments) {
    base::CommandLine line;
    std::string problem;
    EXPECT_TRUE(base::ParseCommandLine(arguments, &line, &problem)) << problem;
    return ui::RunUnattended(platform, discovery::FindInstallations(fake.registry), line, 64);
  }

  // A user's trusted paths, the hive loaded for the time of reading.
  std::string Trusted(const char* sid, const std::string& hiveFile = "") {
    std::string root = sid;
    if (!hiveFile.empty()) {
      EXPECT_EQ(kErrorSuccess, fake.registry.LoadHive("reading", hiveFile));
      root = "reading";
    }
    const auto value =
        fake.registry.GetValue(platform::kHKeyUsers, root + "\\" + kVariables, "TRUSTEDPATHS");
    if (!hiveFile.empty()) {
      EXPECT_EQ(kErrorSuccess, fake.registry.UnloadHive("reading"));
    }
    return value ? value->data.substr(0, value->data.find('\0')) : "(none)";
  }

  FakePlatform fake;
  ui::SilentPrompt silent;
  platform::Platform platform{fake.registry, fake.files, fake.environment, fake.processes, silent};
};

struct Deployment {
  const char* name;
  bool systemAccount;
  const char* arguments;
  PRINTS_ROW_NAME(Deployment)
};

class EveryUserTest : public ::testing::TestWithParam<Deployment> {};

// Every user who can be reached gets the folder and the settings file;
// every hive loaded is unloaded; the user who cannot be reached is named
// and the install does not end as a success; the uninstall takes the folder
// out of every profile it went into.
TEST_P(EveryUserTest, ServesEachReachableUserNamesTheOtherAndUninstallsAgain) {
  Machine m;
  m.fake.processes.SetSystemAccount(GetParam().systemAccount);
  EXPECT_EQ(ui::kExitHostStepFailed, m.Run(GetParam().arguments));

  EXPECT_EQ("D:\\TOOLS;" + base::ToUpperAscii(kInstall), m.Trusted(kAnn));
  EXPECT_EQ(kInstall, m.Trusted(kBob, "C:\\Users\\bob\\NTUSER.DAT"));
  for (const char* user : {"ann", "bob"}) {
    EXPECT_EQ("settings", m.fake.files.ReadFile(std::string("C:\\Users\\") + user +
                                                "\\AppData\\Roaming\\Brenix\\Brenix.Ini"))
        << user;
  }
  EXPECT_FALSE(m.fake.registry.HiveLoaded(std::string("B-PlotSweep-") + kBob));
  EXPECT_EQ(1u, m.fake.registry.SubKeyNames(platform::kHKeyUsers, "").size());  // Ann's only
  // The running account's own profile and settings folder are left alone.
  EXPECT_FALSE(m.fake.files.FileExists("C:\\Users\\u\\AppData\\Roaming\\Brenix\\Brenix.Ini"));
  ASSERT_FALSE(m.silent.Texts().empty());
  const std::string& report = m.silent.Texts().back();
  EXPECT_NE(std::string::npos,
            report.find(std::string("未能为用户 ") + kCarl + "（C:\\Users\\carl）"))
      << report;
  EXPECT_EQ(std::string::npos, report.find(kAnn)) << report;

  const install::RemovalOutcome removed = install::RemoveInstallation(
      m.platform, discovery::FindInstallations(m.fake.registry), kInstall, {});
  EXPECT_TRUE(removed.Complete());
  EXPECT_EQ("D:\\TOOLS", m.Trusted(kAnn));
  EXPECT_EQ("", m.Trusted(kBob, "C:\\Users\\bob\\NTUSER.DAT"));
  EXPECT_EQ(1u, m.fake.registry.SubKeyNames(platform::kHKeyUsers, "").size());
}

INSTANTIATE_TEST_SUITE_P(Rows, EveryUserTest,
                         ::testing::Values(Deployment{"system account", true, "/S"},
                                           Deployment{"all users asked for", false,
                                                      "/S /ALLUSERS"}),
                         RowName());

TEST(EveryUserTest, NoUserWithAnAutoCadProfileIsSaidButIsNoFailure) {
  Machine m(false);
  m.fake.processes.SetSystemAccount(true);
  EXPECT_EQ(ui::kExitDone, m.Run("/S"));
  ASSERT_EQ(1u, m.silent.Texts().size());
  EXPECT_NE(std::string::npos, m.silent.Texts()[0].find("本机没有用户有 AutoCAD 配置"));
}

TEST(EveryUserTest, TheDialogNeverServesEveryUser) {
  base::CommandLine line;
  std::string problem;
  EXPECT_FALSE(base::ParseCommandLine("/ALLUSERS", &line, &problem));
  EXPECT_EQ("/ALLUSERS", problem);
}

}  // namespace
