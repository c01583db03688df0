#include "install/elevation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/test_values.h"

using install::Elevation;
using install::OfferElevation;

namespace {

constexpr char kProduct2014[] = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\";
constexpr char kProduct2010[] = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
constexpr char kAskText[] =
    "安装需要管理员权限：部分 AutoCAD 的注册表项或安装目录无法写入。\n\n"
    "是否以管理员身份重新启动安装程序？";

// Releases 2010 and 2014 found, 2014 ticked, the process not elevated.
struct Machine {
  Machine() {
    fake.files.AddDrive('C');
    for (const auto& [year, key] : {std::pair{2010, kProduct2010}, std::pair{2014, kProduct2014}}) {
      const std::string folder = "C:\\AutoCAD " + std::to_string(year);
      fake.registry.AddKey(kHKeyLocalMachine, key);
      fake.files.AddFolder(folder);
      state.AcadKeys(year).push_back(key);
      state.AcadDirs(year).push_back(folder);
    }
    fake.processes.SetElevated(false);
  }

  Elevation Offer() { return OfferElevation(state, "C:\\Program Files\\Brenix", TicksFor({2014})); }

  FakePlatform fake;
  SetupState state{fake.platform};
};

TEST(Elevation, IsOfferedOnlyWhenNotElevatedAndATickedReleaseRefusesWriting) {
  struct Case {
    const char* name;
    bool elevated;
    const char* deniedKey;     // null: none
    const char* deniedFolder;  // null: none
    bool asked;
  };
  const Case cases[] = {
      {"everything writable", false, nullptr, nullptr, false},
      {"elevated", true, kProduct2014, "C:\\AutoCAD 2014", false},
      {"product key denied", false, kProduct2014, nullptr, true},
      {"host folder denied", false, nullptr, "C:\\AutoCAD 2014", true},
      {"only an unticked release denied", false, kProduct2010, "C:\\AutoCAD 2010", false},
  };
  for (const Case& c : cases) {
    Machine machine;
    machine.fake.processes.SetElevated(c.elevated);
    if (c.deniedKey) {
      machine.fake.registry.Fail(Fault("ProbeWrite", KeyName(kHKeyLocalMachine, c.deniedKey)));
    }
    if (c.deniedFolder) machine.fake.files.Fail(Fault("ProbeWrite", c.deniedFolder));
    machine.fake.prompt.Answer(kIdNo);
    EXPECT_EQ(c.asked ? Elevation::kDeclined : Elevation::kNotNeeded, machine.Offer()) << c.name;
    EXPECT_EQ(c.asked ? 1u : 0u, machine.fake.prompt.Calls().size()) << c.name;
    EXPECT_TRUE(machine.fake.processes.Restarts().empty()) << c.name;
  }
}

TEST(Elevation, YesStartsTheProgramAgainWithFolderAndTicksAndWritesNothing) {
  Machine machine;
  machine.fake.registry.Fail(Fault("ProbeWrite", KeyName(kHKeyLocalMachine, kProduct2014)));
  machine.fake.prompt.Answer(kIdYes);

  EXPECT_EQ(Elevation::kRestarted, machine.Offer());

  EXPECT_EQ((std::vector<PromptCall>{{kAskText, kSetupBoxCaption, kMbYesNo | kMbIconQuestion}}),
            machine.fake.prompt.Calls());
  EXPECT_EQ(std::vector<std::string>{"\"/D=C:\\Program Files\\Brenix\" /R=2014"},
            machine.fake.processes.Restarts());
  EXPECT_TRUE(machine.fake.files.CallsOf(FsOp::kMakeDir).empty());
  EXPECT_TRUE(machine.fake.registry.SubKeyNames(kHKeyLocalMachine, kProduct2014).empty());
}

TEST(Elevation, ARefusedRestartIsSaidAndTheInstallDoesNotGoOn) {
  Machine machine;
  machine.fake.files.Fail(Fault("ProbeWrite", "C:\\AutoCAD 2014"));
  machine.fake.processes.Fail(Fault("RestartElevated").Error(1223));
  machine.fake.prompt.Answer(kIdYes);
  machine.fake.prompt.Answer(kIdOk);

  EXPECT_EQ(Elevation::kRestartFailed, machine.Offer());

  ASSERT_EQ(2u, machine.fake.prompt.Calls().size());
  EXPECT_EQ((PromptCall{"未能以管理员身份重新启动安装程序（错误 1223）。", kSetupBoxCaption,
                        kMbOk | kMbIconWarning}),
            machine.fake.prompt.Calls()[1]);
}

}  // namespace
