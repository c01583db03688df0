#include "install/install_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "install/install_messages.h"
#include "install/outcome_report.h"
#include "support/fake_platform.h"
#include "support/recording_progress.h"
#include "support/table_rows.h"
#include "support/test_values.h"

using install::IsAcadRunning;
using install::RunInstallSteps;
using install::SettleInstallFolder;
using install::WarnIfAcadRunning;

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class InstallSequenceTest : public ::testing::Test {
 protected:
  InstallSequenceTest() {
    fake.AddDrivesProgramAndAppData();
    fake.files.AddFolder("C:\\Dist\\Data");
  }

  std::vector<std::string> MakeDirPaths() const {
    std::vector<std::string> paths;
    for (const FsCall& call : fake.files.CallsOf(FsOp::kMakeDir)) paths.push_back(call.path);
    return paths;
  }

  FakePlatform fake;
};

TEST_F(InstallSequenceTest, AnyImageNameContainingAcadExeInAnyCaseCountsAsRunning) {
  fake.processes.SetImageNames({"explorer.exe", "notepad.exe"});
  EXPECT_FALSE(IsAcadRunning(fake.processes));
  for (const char* name : {"ACAD.EXE", "acad.exe", "AcAd.ExE", "myacad.exe.old"}) {
    fake.processes.SetImageNames({"explorer.exe", name});
    EXPECT_TRUE(IsAcadRunning(fake.processes)) << name;
  }
  fake.processes.SetImageNames({"acad.ex", "acadexe"});
  EXPECT_FALSE(IsAcadRunning(fake.processes));
  fake.processes.SetImageNames({"acad.exe"});
  fake.processes.Fail(Fault("ImageNames"));
  EXPECT_FALSE(IsAcadRunning(fake.processes));
}

TEST_F(InstallSequenceTest, RunningHostIsWarnedAboutOnceThenNoLongerChecked) {
  fake.processes.SetImageNames({"ACAD.EXE"});
  fake.prompt.Answer(platform::kIdOk);
  bool checkAcadRunning = true;
  EXPECT_TRUE(WarnIfAcadRunning(fake.platform, &checkAcadRunning));
  EXPECT_THAT(fake.prompt.Calls(),
              ElementsAre(PromptCall{"请关闭AutoCAD后再进行安装 !", install::kSetupCaption,
                                     platform::kMbOk}));
  EXPECT_FALSE(checkAcadRunning);

  const int snapshots = fake.processes.SnapshotCount();
  EXPECT_FALSE(WarnIfAcadRunning(fake.platform, &checkAcadRunning));
  EXPECT_EQ(fake.processes.SnapshotCount(), snapshots);
  EXPECT_EQ(fake.prompt.Calls().size(), 1u);
}

TEST_F(InstallSequenceTest, NoWarningAndFlagKeptWhenTheHostIsNotRunning) {
  fake.processes.SetImageNames({"explorer.exe"});
  bool checkAcadRunning = true;
  EXPECT_FALSE(WarnIfAcadRunning(fake.platform, &checkAcadRunning));
  EXPECT_TRUE(checkAcadRunning);
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

// One level is made: the install folder is there only where the chosen
// folder's parent was.
struct Chosen {
  std::string folder, install, created;
  bool made;
  friend void PrintTo(const Chosen& row, std::ostream* out) { *out << row.folder; }
};

class ChosenFolderTest : public InstallSequenceTest,
                         public ::testing::WithParamInterface<Chosen> {};

TEST_P(ChosenFolderTest, InstallFolderIsTheChosenFolderWithTheProductSubFolder) {
  std::string path = GetParam().folder;
  ASSERT_TRUE(SettleInstallFolder(fake.platform, &path));
  EXPECT_EQ(GetParam().install, path);
  EXPECT_THAT(MakeDirPaths(), ElementsAre(GetParam().created, GetParam().install));
  EXPECT_EQ(GetParam().made, fake.files.FolderExists(GetParam().install));
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ChosenFolderTest,
    ::testing::Values(Chosen{"C:\\Brenix", "C:\\Brenix\\B-PlotSweep", "C:\\Brenix", true},
                      Chosen{"D:\\Tools\\", "D:\\Tools\\B-PlotSweep", "D:\\Tools", true},
                      Chosen{"D:\\", "D:\\B-PlotSweep", "D:", true},
                      Chosen{"C:\\x\\B-PlotSweep", "C:\\x\\B-PlotSweep\\B-PlotSweep",
                             "C:\\x\\B-PlotSweep", false},
                      Chosen{"\\\\srv\\share\\", "\\\\srv\\share\\B-PlotSweep", "\\\\srv\\share",
                             false}));

TEST_F(InstallSequenceTest, AFolderNotAbsoluteEmptyOrOverLongIsRefusedBeforeAnythingIsCreated) {
  const PromptCall refusal{
      "安装路径无效 !\n\n请选择一个有效的安装目录（路径不能为空，也不能过长）。",
      install::kSetupCaption, platform::kMbOk};
  const std::string fits = "C:\\" + std::string(259 - 3 - 12, 'a');  // + "\B-PlotSweep" = 259
  const std::string tooLong = fits + "b";
  const std::vector<std::string> refused = {"",       "\\",       tooLong,      tooLong + "\\",
                                            "Brenix", "\\Brenix", "C:Brenix",   "..\\x",
                                            "C:",     "C:/x",     "\\\\server", "\\\\server\\"};
  for (const std::string& chosen : refused) {
    fake.prompt.Answer(platform::kIdOk);
    std::string path = chosen;
    EXPECT_FALSE(SettleInstallFolder(fake.platform, &path)) << chosen;
    EXPECT_EQ(path, chosen);
    EXPECT_EQ(LastOf(fake.prompt.Calls()), refusal) << chosen;
  }
  EXPECT_THAT(MakeDirPaths(), IsEmpty());
  EXPECT_EQ(fake.prompt.Calls().size(), refused.size());

  std::string path = fits;
  EXPECT_TRUE(SettleInstallFolder(fake.platform, &path));
  EXPECT_EQ(path.size(), 259u);
}

class RunInstallStepsTest : public InstallSequenceTest {
 protected:
  RunInstallStepsTest() {
    state.ProductKeys(2014).push_back("SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\");
    state.HostFolders(2014).push_back("D:\\AutoCAD 2014");
    fake.registry.AddKey(platform::kHKeyLocalMachine,
                         "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804");
    fake.files.AddFolder("D:\\AutoCAD 2014\\Fonts");
    fake.files.AddFolder("C:\\Brenix\\B-PlotSweep");
  }

  void AddPayloadFiles(int count) {
    for (int i = 0; i < count; ++i) {
      fake.files.AddFile("C:\\Dist\\Data\\file" + std::to_string(i) + ".dat", "x");
    }
  }

  bool HostStepRan() const {
    return fake.registry.KeyExists(platform::kHKeyLocalMachine,
                                   "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:"
                                   "804\\Applications\\BX_PlotSweep2014") ||
           fake.files.FileExists("D:\\AutoCAD 2014\\itextsharp.dll");
  }

  // The install steps into `path`; their outcome is kept in `outcome`.
  bool Run(const std::string& path) {
    const auto steps = RunInstallSteps(fake.platform, state, path, ticks, progress);
    if (steps) outcome = *steps;
    return steps.has_value();
  }

  base::Installations state;
  install::InstallOutcome outcome;
  base::ReleaseTicks ticks = TicksFor({2014});
  RecordingProgress progress;
  const std::string install = "C:\\Brenix\\B-PlotSweep";
};

TEST_F(RunInstallStepsTest, StepsRunInOrderAndTheBarEndsFull) {
  AddPayloadFiles(3);  // with "." and "..": 5 entries
  fake.files.AddFile("C:\\Dist\\Data\\itextsharp.dll", "lib");

  ASSERT_TRUE(Run(install));

  std::vector<std::string> expected = {"SetRange(0,50)", "SetStep(1)", "SetPos(0)"};
  expected.insert(expected.end(), 6 + 1 + 3, "StepIt");  // copier N + 1, then three more
  expected.push_back("SetPos(50)");
  EXPECT_EQ(progress.Calls(), expected);
  EXPECT_EQ(progress.Position(), 50);

  EXPECT_TRUE(fake.files.FileExists(install + "\\file2.dat"));
  EXPECT_TRUE(fake.registry.KeyExists(
      platform::kHKeyLocalMachine,
      "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Applications\\BX_PlotSweep2014"));
  EXPECT_TRUE(fake.files.FileExists("D:\\AutoCAD 2014\\itextsharp.dll"));
}

TEST_F(RunInstallStepsTest, BarStartsOverPastItsMaximumBeforeItIsSetFull) {
  AddPayloadFiles(58);  // 60 entries: 61 copier steps wrap the 0..50 bar

  ASSERT_TRUE(Run(install));

  EXPECT_EQ(progress.StepCount(), 61 + 3);
  EXPECT_EQ(LastOf(progress.Calls()), "SetPos(50)");
  EXPECT_EQ(progress.Position(), 50);
}

TEST_F(RunInstallStepsTest, AbortOnAFailedCopyStopsBeforeAnyHostStep) {
  AddPayloadFiles(2);
  fake.files.Lock("C:\\Dist\\Data\\file0.dat");
  fake.prompt.Answer(platform::kIdAbort);

  EXPECT_FALSE(Run(install));

  EXPECT_FALSE(HostStepRan());
  EXPECT_NE(LastOf(progress.Calls()), "SetPos(50)");
  EXPECT_FALSE(fake.files.FileExists(install + "\\file1.dat"));
}

TEST_F(RunInstallStepsTest, MissingPayloadStopsBeforeAnyHostStep) {
  fake.environment.SetModulePath("C:\\Elsewhere\\SetUp.exe");
  fake.prompt.Answer(platform::kIdOk);

  EXPECT_FALSE(Run(install));

  EXPECT_THAT(
      fake.prompt.Calls(),
      ElementsAre(PromptCall{install::kNoPayloadMessage, install::kSetupCaption, platform::kMbOk}));
  EXPECT_FALSE(HostStepRan());
  EXPECT_EQ(progress.StepCount(), 0);
}

// ---- What the install could not do ----------------------------------------

constexpr char kProfile2014[] =
    "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\P\\Variables";
constexpr char kRunAsAdministrator[] =
    "请右键点击 SetUp.exe，选择“以管理员身份运行”，然后重新安装。";

class InstallOutcomeTest : public RunInstallStepsTest {
 protected:
  InstallOutcomeTest() {
    AddPayloadFiles(1);
    fake.files.AddFile("C:\\Dist\\Data\\itextsharp.dll", "lib");
    fake.registry.SetString(platform::kHKeyCurrentUser, kProfile2014, "TRUSTEDPATHS", "");
  }

  std::string Report() const { return install::DescribeOutcome(outcome); }
};

TEST_F(InstallOutcomeTest, ACompleteInstallHasNothingToReport) {
  ASSERT_TRUE(Run(install));
  EXPECT_TRUE(outcome.Complete());
  EXPECT_EQ("", Report());
}

// Every kind of host write, refused: the install still runs to its end, and
// the report names the release or profile, the target and the error.
struct DeniedWrite {
  const char* name;
  Fault fault;
  bool onFiles;
  std::string sentence;
  const char* remedy = kRunAsAdministrator;
  PRINTS_ROW_NAME(DeniedWrite)
};

std::vector<DeniedWrite> DeniedWrites() {
  const std::string applications = std::string(kProduct2014) + "\\Applications\\";
  const std::string demandLoad = "AutoCAD 2014 未能注册自动加载：HKEY_LOCAL_MACHINE\\" +
                                 std::string(kProduct2014) + "\\（拒绝访问，错误 5）。";
  const std::string trusted = "未能把安装目录加入受信任路径：HKEY_CURRENT_USER\\" +
                              std::string(kProfile2014) + "（拒绝访问，错误 5）。";
  return {
      {"ProductKey", Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, kProduct2014)), false,
       demandLoad},
      {"ModuleKey",
       Fault("CreateKey", KeyName(platform::kHKeyLocalMachine, applications + "BX_PlotSweep2014")),
       false, demandLoad},
      {"LibraryValue",
       Fault("SetValue", KeyName(platform::kHKeyLocalMachine, applications + "Brenix2014DLLP"))
           .Value("LOADER"),
       false, demandLoad},
      {"ManagedValue",
       Fault("SetValue", KeyName(platform::kHKeyLocalMachine, applications + "Brenix2014DLLP"))
           .Value("MANAGED"),
       false, demandLoad},
      {"SupportFile", Fault("CopyOver", "D:\\AutoCAD 2014\\itextsharp.dll"), true,
       "AutoCAD 2014 的字体、库和打印驱动未能全部复制到 D:\\AutoCAD 2014（拒绝访问，错误 5）。"},
      {"ProfileKey", Fault("CreateKey", KeyName(platform::kHKeyCurrentUser, kProfile2014)), false,
       trusted},
      {"TrustedPaths", Fault("SetValue", KeyName(platform::kHKeyCurrentUser, kProfile2014)), false,
       trusted},
      {"ReadingThem", Fault("QueryValue", KeyName(platform::kHKeyCurrentUser, kProfile2014)), false,
       trusted},
      // A profile whose name has no UTF-8 form (a lone surrogate) is named as
      // untrusted, never passed over.
      {"ProfileNameUnreadable",
       Fault("EnumSubKey", KeyName(platform::kHKeyCurrentUser,
                                   "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles"))
           .Error(kErrorNoUnicodeTranslation),
       false,
       "未能把安装目录加入受信任路径：HKEY_CURRENT_USER\\SOFTWARE\\Autodesk\\AutoCAD"
       "（名称中有无法转换的字符，错误 1113）。",
       "请排除以上问题后重新安装。"},
  };
}

class DeniedWriteTest : public InstallOutcomeTest,
                        public ::testing::WithParamInterface<DeniedWrite> {};

TEST_P(DeniedWriteTest, IsReportedAfterTheWholeInstall) {
  if (GetParam().onFiles) {
    fake.files.Fail(GetParam().fault);
  } else {
    fake.registry.Fail(GetParam().fault);
  }
  ASSERT_TRUE(Run(install));
  EXPECT_EQ(LastOf(progress.Calls()), "SetPos(50)");
  EXPECT_EQ(
      std::string("安装没有全部完成：\n\n") + GetParam().sentence + "\n\n" + GetParam().remedy,
      Report());
}

INSTANTIATE_TEST_SUITE_P(HostWrites, DeniedWriteTest, ::testing::ValuesIn(DeniedWrites()),
                         RowName());

TEST_F(InstallOutcomeTest, OnlyTheReleasesThatFailedAreNamedWithTheirOwnErrors) {
  const std::string product2010 = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804";
  state.ProductKeys(2010).push_back(product2010 + "\\");
  state.HostFolders(2010).push_back("D:\\AutoCAD 2010");
  fake.registry.AddKey(platform::kHKeyLocalMachine, product2010);
  fake.files.AddFolder("D:\\AutoCAD 2010\\Fonts");
  fake.registry.Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, product2010)).Error(2));
  fake.files.Fail(Fault("CopyOver", "D:\\AutoCAD 2014\\itextsharp.dll").Error(32));
  ticks = TicksFor({2010, 2014});

  ASSERT_TRUE(Run(install));

  EXPECT_TRUE(fake.registry.KeyExists(
      platform::kHKeyLocalMachine, std::string(kProduct2014) + "\\Applications\\BX_PlotSweep2014"));
  EXPECT_TRUE(fake.files.FileExists("D:\\AutoCAD 2010\\itextsharp.dll"));
  EXPECT_EQ(
      "安装没有全部完成：\n\n"
      "AutoCAD 2010 未能注册自动加载：HKEY_LOCAL_MACHINE\\" +
          product2010 +
          "\\（找不到文件或路径，错误 2）。\n"
          "AutoCAD 2014 的字体、库和打印驱动未能全部复制到 D:\\AutoCAD 2014（文件正在使用，错误 "
          "32）。"
          "\n\n请排除以上问题后重新安装。",
      Report());
}

// A path the host steps cannot use is a failure of the step, never a
// silent skip: (year, step, error) of each failure, in order.
struct UnusablePath {
  const char* name;
  std::string installPath;
  std::string hostFolder;
  std::vector<std::string> failures;
  PRINTS_ROW_NAME(UnusablePath)
};

class UnusablePathTest : public InstallOutcomeTest,
                         public ::testing::WithParamInterface<UnusablePath> {};

TEST_P(UnusablePathTest, IsAFailureOfTheStep) {
  state.HostFolders(2014) = {GetParam().hostFolder};
  fake.files.AddFolder(GetParam().installPath);
  if (GetParam().hostFolder[1] == ':') fake.files.AddFolder(GetParam().hostFolder + "\\Fonts");
  ASSERT_TRUE(Run(GetParam().installPath));
  std::vector<std::string> failures;
  for (const install::HostFailure& failure : outcome.failures) {
    failures.push_back(std::to_string(failure.year) + " " +
                       std::to_string(static_cast<int>(failure.step)) + " " +
                       std::to_string(failure.error));
  }
  EXPECT_EQ(GetParam().failures, failures);
}

INSTANTIATE_TEST_SUITE_P(Paths, UnusablePathTest,
                         ::testing::Values(UnusablePath{"HostFolderNotAbsolute",
                                                        "C:\\Brenix\\B-PlotSweep",
                                                        "AutoCAD 2014",
                                                        {"2014 0 161", "2014 1 161"}},
                                           UnusablePath{"LoaderTooLong",
                                                        "C:\\" + std::string(240, 'i'),
                                                        "D:\\AutoCAD 2014",
                                                        {"2014 0 206"}},
                                           UnusablePath{"SupportFileTooLong",
                                                        "C:\\Brenix\\B-PlotSweep",
                                                        "D:\\" + std::string(240, 'h'),
                                                        {"2014 1 206"}}),
                         [](const ::testing::TestParamInfo<UnusablePath>& path) {
                           return std::string(path.param.name);
                         });

TEST_F(InstallOutcomeTest, ASecondInstallReportsOnlyItsOwnFailures) {
  fake.registry.Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, kProduct2014)).Once());
  ASSERT_TRUE(Run(install));
  ASSERT_FALSE(outcome.Complete());
  ASSERT_TRUE(Run(install));
  EXPECT_EQ("", Report());
}

TEST_F(InstallOutcomeTest, ProductFilesTheUserIgnoredAreListed) {
  fake.files.Lock("C:\\Dist\\Data\\file0.dat");
  fake.prompt.Answer(platform::kIdIgnore);

  ASSERT_TRUE(Run(install));

  EXPECT_EQ(std::vector<std::string>{install + "\\file0.dat"}, outcome.ignoredFiles);
  EXPECT_EQ("安装没有全部完成：\n\n未复制的产品文件：" + install +
                "\\file0.dat。\n\n请排除以上问题后重新安装。",
            Report());
}

}  // namespace
