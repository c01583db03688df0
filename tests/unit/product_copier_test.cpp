#include "install/product_copier.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_platform.h"
#include "support/path_of_length.h"
#include "support/recording_progress.h"
#include "support/test_values.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char kSetupFolder[] = "C:\\Dist";
const char kPayload[] = "C:\\Dist\\Data";
const char kTarget[] = "C:\\Brenix\\B-PlotSweep";
const char kAppData[] = "C:\\Users\\me\\AppData\\Roaming";
const char kSettingsFolder[] = "C:\\Users\\me\\AppData\\Roaming\\Brenix";

PromptCall CopyFailedBox(const std::string& destination) {
  return {CopyFailedText(destination), kSetupBoxCaption, 2};
}

const PromptCall kNoPayloadBox = {kNoPayloadText, kSetupBoxCaption, 0};

class ProductCopierTest : public ::testing::Test {
 protected:
  ProductCopierTest() {
    fake.files.AddDrive('C');
    fake.files.AddFile(In(kSetupFolder, "SetUp.exe"));
    fake.files.AddFolder(kTarget);
    fake.files.AddFolder(kAppData);
    fake.environment.SetModulePath(In(kSetupFolder, "SetUp.exe"));
    fake.environment.SetVariable("APPDATA", kAppData);
  }

  bool Copy(const std::string& target = kTarget) {
    install::ProductCopier copier(target, &progress, fake.platform);
    return copier.CopyProduct();
  }

  // A file in the Data folder (created with the first one) whose contents
  // are its name.
  void AddPayload(const std::string& name, unsigned long attributes = platform::kAttrNormal) {
    fake.files.AddFile(In(kPayload, name), name, attributes);
  }

  std::vector<std::string> Installed() const { return fake.files.ListNames(kTarget); }

  FakePlatform fake;
  RecordingProgress progress;
};

// One trailing backslash of the target is dropped: no file lands under "\\".
TEST_F(ProductCopierTest, CopiesThePlainFilesButNotTheSetupProgramOrTheHostFiles) {
  for (const char* name : {"BX_PlotSweep2010.arx", "setup.exe", "BRENIX_EN.SHX", "brenix_hz.shx",
                           "Brenix.PRT5", "Lib.dll"}) {
    AddPayload(name);
  }

  EXPECT_TRUE(Copy(std::string(kTarget) + "\\"));
  EXPECT_THAT(fake.files.CopyDestinations(),
              ElementsAre(In(kTarget, "BX_PlotSweep2010.arx"), In(kTarget, "Lib.dll")));

  EXPECT_THAT(Installed(), ElementsAre("BX_PlotSweep2010.arx", "Lib.dll"));
  EXPECT_EQ(fake.files.ReadFile(In(kTarget, "Lib.dll")), "Lib.dll");
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(ProductCopierTest, SubFoldersAreSkippedWhateverTheirAttributes) {
  fake.files.AddFolder(In(kPayload, "plain"));
  fake.files.AddFolder(In(kPayload, "hidden"), platform::kAttrDirectory | platform::kAttrHidden);
  fake.files.AddFolder(In(kPayload, "locked"), platform::kAttrDirectory | platform::kAttrReadOnly);
  fake.files.AddFile(In(kPayload, "plain\\inner.dll"));
  AddPayload("Lib.dll");

  EXPECT_TRUE(Copy());

  EXPECT_THAT(Installed(), ElementsAre("Lib.dll"));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCreateDir), IsEmpty());
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(ProductCopierTest, FlatLayoutCopiesTheMarkerButNotTheSetupProgram) {
  fake.files.AddFile(In(kSetupFolder, "BX_PlotSweep2010.arx"), "marker");
  fake.files.AddFile(In(kSetupFolder, "Lib.dll"));

  EXPECT_TRUE(Copy());

  EXPECT_THAT(Installed(), ElementsAre("BX_PlotSweep2010.arx", "Lib.dll"));
  EXPECT_EQ(fake.files.ReadFile(In(kTarget, "BX_PlotSweep2010.arx")), "marker");
}

TEST_F(ProductCopierTest, SettingsFileInAnyCaseReplacesTheOneInTheUsersSettingsFolder) {
  AddPayload("BRENIX.INI");
  fake.files.AddFile(In(kSettingsFolder, "Brenix.Ini"), "old settings");

  EXPECT_TRUE(Copy());

  EXPECT_EQ(fake.files.ReadFile(In(kSettingsFolder, "Brenix.Ini")), "BRENIX.INI");
  EXPECT_THAT(Installed(), IsEmpty());
}

TEST_F(ProductCopierTest, SettingsFolderIsCreatedWhenMissing) {
  AddPayload("Brenix.Ini");

  EXPECT_TRUE(Copy());

  EXPECT_THAT(fake.files.CallsOf(FsOp::kCreateDir),
              ElementsAre(FsCall{FsOp::kCreateDir, kSettingsFolder, ""}));
  EXPECT_EQ(fake.files.ReadFile(In(kSettingsFolder, "Brenix.Ini")), "Brenix.Ini");
}

// Source made writable, its download mark removed, destination made
// writable, copy, destination made writable again: in this order, each on
// the right file.
TEST_F(ProductCopierTest, OneFileIsPreparedCopiedAndLeftWritable) {
  const std::string source = In(kPayload, "Lib.dll");
  const std::string destination = In(kTarget, "Lib.dll");
  AddPayload("Lib.dll", platform::kAttrReadOnly);
  fake.files.AddStream(source, "Zone.Identifier");
  fake.files.AddFile(destination, "old", platform::kAttrReadOnly);

  EXPECT_TRUE(Copy());

  EXPECT_THAT(fake.files.Log(),
              ElementsAre(FsCall{FsOp::kList, kPayload, ""}, FsCall{FsOp::kMakeDir, kTarget, ""},
                          FsCall{FsOp::kList, In(kPayload, "*.*"), ""},
                          FsCall{FsOp::kGetAttributes, source, ""},
                          FsCall{FsOp::kSetAttributes, source, ""},
                          FsCall{FsOp::kRemoveFile, source + ":Zone.Identifier", ""},
                          FsCall{FsOp::kGetAttributes, destination, ""},
                          FsCall{FsOp::kSetAttributes, destination, ""},
                          FsCall{FsOp::kCopyOver, source, destination},
                          FsCall{FsOp::kGetAttributes, destination, ""}));
  EXPECT_EQ(fake.files.ReadFile(destination), "Lib.dll");
  EXPECT_EQ(fake.files.Attributes(source) & platform::kAttrReadOnly, 0u);
  EXPECT_EQ(fake.files.Attributes(destination) & platform::kAttrReadOnly, 0u);
  EXPECT_FALSE(fake.files.HasStream(source, "Zone.Identifier"));
}

TEST_F(ProductCopierTest, CopyThatStaysReadOnlyIsMadeWritableAfterwards) {
  AddPayload("Lib.dll", platform::kAttrReadOnly);
  fake.files.Fail(Fault("SetAttributes", In(kPayload, "Lib.dll")));  // the source stays read-only

  EXPECT_TRUE(Copy());

  EXPECT_EQ(fake.files.Attributes(In(kPayload, "Lib.dll")) & platform::kAttrReadOnly,
            platform::kAttrReadOnly);
  EXPECT_EQ(fake.files.Attributes(In(kTarget, "Lib.dll")) & platform::kAttrReadOnly, 0u);
}

class FailedCopyTest : public ProductCopierTest {
 protected:
  // a.dll, b.dll, c.dll; b.dll is in use in the install folder.
  FailedCopyTest() {
    AddPayload("a.dll");
    AddPayload("b.dll");
    AddPayload("c.dll");
    fake.files.AddFile(Busy(), "old");
    fake.files.Lock(Busy());
  }
  static std::string Busy() { return In(kTarget, "b.dll"); }
};

TEST_F(FailedCopyTest, AbortEndsTheWalkAndKeepsWhatWasCopied) {
  fake.prompt.Answer(platform::kIdAbort);

  EXPECT_FALSE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(Busy())));
  EXPECT_THAT(Installed(), ElementsAre("b.dll", "a.dll"));
  EXPECT_EQ(fake.files.ReadFile(Busy()), "old");
  EXPECT_EQ(progress.StepCount(), 4);  // ".", "..", a.dll, b.dll; no final step
}

TEST_F(FailedCopyTest, RetrySucceedsOnceTheFileIsFreeAndTheWalkGoesOn) {
  fake.prompt.Answer(platform::kIdRetry, [this] { fake.files.Unlock(Busy()); });

  EXPECT_TRUE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(Busy())));
  EXPECT_EQ(fake.files.ReadFile(Busy()), "b.dll");
  EXPECT_EQ(fake.files.ReadFile(In(kTarget, "c.dll")), "c.dll");
  // The retry copies again at once, without preparing the files again.
  const std::vector<FsCall>& log = fake.files.Log();
  const FsCall copyB{FsOp::kCopyOver, In(kPayload, "b.dll"), Busy()};
  const auto first = std::find(log.begin(), log.end(), copyB);
  ASSERT_NE(first, log.end());
  ASSERT_NE(first + 1, log.end());
  EXPECT_EQ(*(first + 1), copyB);
}

TEST_F(FailedCopyTest, IgnoreLeavesTheFileOutAfterRetriesThatFail) {
  fake.prompt.Answer(platform::kIdRetry);
  fake.prompt.Answer(platform::kIdIgnore);

  EXPECT_TRUE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(Busy()), CopyFailedBox(Busy())));
  EXPECT_EQ(fake.files.ReadFile(Busy()), "old");
  EXPECT_EQ(fake.files.ReadFile(In(kTarget, "c.dll")), "c.dll");
}

TEST_F(ProductCopierTest, MissingPayloadStopsBeforeAnythingIsDone) {
  fake.environment.UnsetModulePath();
  fake.prompt.Answer(platform::kIdOk);

  EXPECT_FALSE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(kNoPayloadBox));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kMakeDir), IsEmpty());
  EXPECT_EQ(progress.StepCount(), 0);
}

TEST_F(ProductCopierTest, UnreadablePayloadFolderIsReportedAsMissing) {
  AddPayload("Lib.dll");
  fake.files.Fail(Fault("List", In(kPayload, "*.*")));
  fake.prompt.Answer(platform::kIdOk);

  EXPECT_FALSE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(kNoPayloadBox));
  EXPECT_THAT(Installed(), IsEmpty());
  EXPECT_EQ(progress.StepCount(), 0);
}

TEST_F(ProductCopierTest, OnlyTheDotEntriesGiveThreeSteps) {
  fake.files.AddFolder(kPayload);

  EXPECT_TRUE(Copy());

  EXPECT_EQ(progress.StepCount(), 3);
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCopyOver), IsEmpty());
}

TEST_F(ProductCopierTest, EveryEntryExaminedIsOneStepAndTheEndOneMore) {
  AddPayload("SetUp.exe");
  AddPayload("Brenix_EN.shx");
  AddPayload("Lib.dll");
  fake.files.AddFolder(In(kPayload, "sub"));

  EXPECT_TRUE(Copy());

  EXPECT_EQ(progress.StepCount(), 2 + 4 + 1);
}

TEST_F(ProductCopierTest, LargePayloadIsCopiedWholeAndTheBarStartsOver) {
  progress.SetRange(0, 50);
  progress.SetStep(1);
  for (int i = 0; i < 150; ++i) AddPayload("file" + std::to_string(i) + ".dll");

  EXPECT_TRUE(Copy());

  EXPECT_EQ(Installed().size(), 150u);
  EXPECT_TRUE(fake.files.FileExists(In(kTarget, "file149.dll")));
  EXPECT_EQ(progress.StepCount(), 153);
  EXPECT_EQ(progress.Position(), 3);  // steps 51, 101 and 151 start over at 1
}

// Without APPDATA the settings folder would be "\Brenix", at the root of
// whatever drive is current: the copy fails instead, naming that path.
class SettingsWithoutAppDataTest : public ProductCopierTest,
                                   public ::testing::WithParamInterface<bool> {};

TEST_P(SettingsWithoutAppDataTest, SettingsCopyFailsAndTheRestGoesOn) {
  if (GetParam()) {
    fake.environment.UnsetVariable("APPDATA");
  } else {
    fake.environment.SetVariable("APPDATA", "");
  }
  AddPayload("Brenix.Ini");
  AddPayload("Lib.dll");
  fake.prompt.Answer(platform::kIdIgnore);

  EXPECT_TRUE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox("\\Brenix\\Brenix.Ini")));
  EXPECT_THAT(fake.files.CopyDestinations(), ElementsAre(In(kTarget, "Lib.dll")));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCreateDir), IsEmpty());
  EXPECT_FALSE(fake.files.FileExists("C:\\Brenix\\Brenix.Ini"));
}

INSTANTIATE_TEST_SUITE_P(UnsetOrEmpty, SettingsWithoutAppDataTest, ::testing::Bool());

// ---- Paths at the 260-byte limit: used whole up to 259 bytes, never cut ----

TEST_F(ProductCopierTest, DestinationOf259BytesIsCopiedAnd260IsReportedFailed) {
  const std::string target = PathOfLength("C:\\", 259 - 6);  // + "\a.dll" + "\" = 259
  fake.files.AddFolder(target);
  AddPayload("a.dll");
  AddPayload("ab.dll");
  fake.prompt.Answer(platform::kIdRetry);  // the path still does not fit
  fake.prompt.Answer(platform::kIdIgnore);

  EXPECT_TRUE(Copy(target));

  EXPECT_THAT(fake.files.CopyDestinations(), ElementsAre(In(target, "a.dll")));
  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(In(target, "ab.dll")),
                                               CopyFailedBox(In(target, "ab.dll"))));
  EXPECT_THAT(fake.files.ListNames(target), ElementsAre("a.dll"));
}

TEST_F(ProductCopierTest, TargetFolderTooLongIsNeitherCreatedNorCopiedInto) {
  const std::string target = PathOfLength("C:\\", 260);
  AddPayload("a.dll");
  AddPayload("b.dll");
  fake.prompt.Answer(platform::kIdIgnore);
  fake.prompt.Answer(platform::kIdAbort);

  EXPECT_FALSE(Copy(target));

  EXPECT_THAT(fake.prompt.Calls(),
              ElementsAre(CopyFailedBox(In(target, "a.dll")), CopyFailedBox(In(target, "b.dll"))));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kMakeDir), IsEmpty());
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCopyOver), IsEmpty());
}

TEST_F(ProductCopierTest, SourceOf259BytesIsCopiedAnd260IsReportedFailed) {
  // A short program name leaves room for a long setup folder.
  const std::string setupFolder = PathOfLength("C:\\", 240);
  const std::string payload = In(setupFolder, "Data");  // 245 bytes
  fake.environment.SetModulePath(In(setupFolder, "S.exe"));
  fake.files.AddFile(In(payload, std::string(13, 'a')), "fits");  // 245 + 1 + 13 = 259
  fake.files.AddFile(In(payload, std::string(14, 'b')), "too long");
  fake.prompt.Answer(platform::kIdIgnore);

  EXPECT_TRUE(Copy());

  EXPECT_THAT(Installed(), ElementsAre(std::string(13, 'a')));
  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(In(kTarget, std::string(14, 'b')))));
  EXPECT_THAT(fake.files.CopyDestinations(), ElementsAre(In(kTarget, std::string(13, 'a'))));
}

TEST_F(ProductCopierTest, ListingPatternOf259BytesIsUsed) {
  const std::string setupFolder = PathOfLength("C:\\", 255 - 5);
  fake.environment.SetModulePath(In(setupFolder, "S.exe"));
  fake.files.AddFile(In(In(setupFolder, "Data"), "a"), "a");  // payload 255 + "\*.*" = 259

  EXPECT_TRUE(Copy());

  EXPECT_THAT(Installed(), ElementsAre("a"));
}

TEST_F(ProductCopierTest, ListingPatternOf260BytesIsNotUsedCutShort) {
  const std::string setupFolder = PathOfLength("C:\\", 256 - 5);
  fake.environment.SetModulePath(In(setupFolder, "S.exe"));
  fake.files.AddFile(In(In(setupFolder, "Data"), "a"), "a");
  fake.prompt.Answer(platform::kIdOk);

  EXPECT_FALSE(Copy());

  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(kNoPayloadBox));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kList),
              ElementsAre(FsCall{FsOp::kList, In(setupFolder, "Data"), ""}));
}

TEST_F(ProductCopierTest, SettingsDestinationOf259BytesIsCopiedAnd260IsReportedFailed) {
  AddPayload("Brenix.Ini");
  // APPDATA + "\Brenix" + "\Brenix.Ini" = APPDATA + 18.
  const std::string fits = PathOfLength("C:\\", 259 - 18);
  fake.files.AddFolder(fits);
  fake.environment.SetVariable("APPDATA", fits);
  EXPECT_TRUE(Copy());
  EXPECT_EQ(fake.files.ReadFile(In(fits, "Brenix\\Brenix.Ini")), "Brenix.Ini");

  const std::string tooLong = PathOfLength("C:\\", 260 - 18);
  fake.files.AddFolder(tooLong);
  fake.environment.SetVariable("APPDATA", tooLong);
  fake.files.ClearLog();
  fake.prompt.Answer(platform::kIdIgnore);
  EXPECT_TRUE(Copy());
  EXPECT_THAT(fake.prompt.Calls(), ElementsAre(CopyFailedBox(In(tooLong, "Brenix\\Brenix.Ini"))));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCreateDir), IsEmpty());
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCopyOver), IsEmpty());
}

}  // namespace
