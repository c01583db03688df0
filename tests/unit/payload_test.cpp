#include "install/payload.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/path_of_length.h"
#include "support/test_values.h"

using install::ClearReadOnly;
using install::DeleteZoneIdentifier;
using install::FindPayloadFolder;
using install::GetPathKind;
using install::kPathIsFile;
using install::kPathIsFolder;
using install::kPathMissing;

namespace {

const PromptCall kNoPayloadBox = {kNoPayloadText, kSetupBoxCaption, 0};

class PayloadTest : public ::testing::Test {
 protected:
  PayloadTest() {
    fake.files.AddDrive('C');
    fake.files.AddFile("C:\\Dist\\SetUp.exe");
    fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
  }

  // Expects no payload: false, after the one message.
  void ExpectNoPayload() {
    fake.prompt.Answer(platform::kIdOk);
    std::string folder;
    EXPECT_FALSE(FindPayloadFolder(fake.platform, &folder));
    EXPECT_EQ(fake.prompt.Calls(), std::vector<PromptCall>{kNoPayloadBox});
  }

  std::string Found() {
    std::string folder;
    EXPECT_TRUE(FindPayloadFolder(fake.platform, &folder));
    EXPECT_TRUE(fake.prompt.Calls().empty());
    return folder;
  }

  FakePlatform fake;
};

TEST_F(PayloadTest, DataFolderBesideTheSetupProgramIsThePayload) {
  fake.files.AddFolder("C:\\Dist\\Data");
  EXPECT_EQ(Found(), "C:\\Dist\\Data");
}

TEST_F(PayloadTest, MarkerFileMakesTheSetupFolderThePayload) {
  fake.files.AddFile("C:\\Dist\\BX_PlotSweep2010.arx");
  EXPECT_EQ(Found(), "C:\\Dist");
}

TEST_F(PayloadTest, DataFolderWinsOverTheMarkerFile) {
  fake.files.AddFolder("C:\\Dist\\Data");
  fake.files.AddFile("C:\\Dist\\BX_PlotSweep2010.arx");
  EXPECT_EQ(Found(), "C:\\Dist\\Data");
}

TEST_F(PayloadTest, AProgramNameOutsideAnyOneCodePageFindsItsData) {
  fake.environment.SetModulePath("C:\\Dist\\安装한국어.exe");
  fake.files.AddFolder("C:\\Dist\\Data");
  EXPECT_EQ(Found(), "C:\\Dist\\Data");
}

TEST_F(PayloadTest, NothingBesideTheSetupProgramIsNoPayload) { ExpectNoPayload(); }

TEST_F(PayloadTest, PlainFileNamedDataIsNoPayload) {
  fake.files.AddFile("C:\\Dist\\Data");
  ExpectNoPayload();
}

TEST_F(PayloadTest, FolderNamedLikeTheMarkerIsNoPayload) {
  fake.files.AddFolder("C:\\Dist\\BX_PlotSweep2010.arx");
  ExpectNoPayload();
}

TEST_F(PayloadTest, UnknownProgramPathIsNoPayload) {
  fake.files.AddFolder("C:\\Dist\\Data");
  fake.environment.UnsetModulePath();
  ExpectNoPayload();
}

// The program's path is read into 261 bytes: 260 characters fit, 261 do not.
TEST_F(PayloadTest, ProgramPathOf260CharactersIsUsed) {
  const std::string setupFolder = PathOfLength("C:\\", 260 - 10);
  fake.files.AddFolder(setupFolder + "\\Data");
  fake.environment.SetModulePath(setupFolder + "\\SetUp.exe");
  EXPECT_EQ(Found(), setupFolder + "\\Data");
}

TEST_F(PayloadTest, ProgramPathOf261CharactersIsNotUsedCutShort) {
  const std::string setupFolder = PathOfLength("C:\\", 261 - 10);
  fake.files.AddFolder(setupFolder + "\\Data");
  fake.environment.SetModulePath(setupFolder + "\\SetUp.exe");
  ExpectNoPayload();
}

TEST_F(PayloadTest, PathKindTellsNothingFileAndFolder) {
  fake.files.AddFolder("C:\\Dist\\Data");
  EXPECT_EQ(GetPathKind(fake.files, "C:\\Dist\\Missing"), kPathMissing);
  EXPECT_EQ(GetPathKind(fake.files, "C:\\Dist\\SetUp.exe"), kPathIsFile);
  EXPECT_EQ(GetPathKind(fake.files, "C:\\Dist\\Data"), kPathIsFolder);
}

TEST_F(PayloadTest, ClearReadOnlyTakesOffThatBitOnly) {
  fake.files.AddFile("C:\\Dist\\a.dll", "", platform::kAttrReadOnly | platform::kAttrHidden);
  ClearReadOnly(fake.files, "C:\\Dist\\a.dll");
  EXPECT_EQ(fake.files.Attributes("C:\\Dist\\a.dll"), platform::kAttrHidden);
}

TEST_F(PayloadTest, ClearReadOnlyLeavesWritableAndMissingFilesAlone) {
  ClearReadOnly(fake.files, "C:\\Dist\\SetUp.exe");
  ClearReadOnly(fake.files, "C:\\Dist\\missing.dll");
  EXPECT_TRUE(fake.files.CallsOf(FsOp::kSetAttributes).empty());
}

TEST_F(PayloadTest, DeleteZoneIdentifierRemovesTheDownloadMarkOnly) {
  fake.files.AddStream("C:\\Dist\\SetUp.exe", "Zone.Identifier");
  EXPECT_TRUE(DeleteZoneIdentifier(fake.files, "C:\\Dist\\SetUp.exe"));
  EXPECT_FALSE(fake.files.HasStream("C:\\Dist\\SetUp.exe", "Zone.Identifier"));
  EXPECT_TRUE(fake.files.FileExists("C:\\Dist\\SetUp.exe"));
  EXPECT_FALSE(DeleteZoneIdentifier(fake.files, "C:\\Dist\\SetUp.exe"));
}

}  // namespace
