#include "ui/picker/folder_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_environment.h"
#include "support/fake_file_system.h"
#include "support/scripted_prompt.h"
#include "support/test_values.h"

using ui::CheckFolder;
using ui::CreateFolderPath;
using ui::IsValidFolderName;
using ui::kFolderDeclined;
using ui::kFolderInvalid;
using ui::kFolderNotCreated;
using ui::kFolderReady;

namespace {

// The caption is the program file's name without its extension.
const char kCaption[] = "SetUp";

PromptCall Question(const std::string& path) {
  return {"The folder:\n\n" + path + "\n\ndoes not exist. Do you want the folder to be created?",
          kCaption, platform::kMbYesNo | platform::kMbIconQuestion};
}

PromptCall Invalid(const std::string& path) {
  return {"The folder:\n\n" + path + "\n\nis invalid. Please reenter.", kCaption,
          platform::kMbOk | platform::kMbIconWarning};
}

PromptCall NotCreated(const std::string& path) {
  return {"The folder:\n\n" + path + "\n\ncan not be created. Please double check.", kCaption,
          platform::kMbOk | platform::kMbIconWarning};
}

class CheckFolderTest : public ::testing::Test {
 protected:
  CheckFolderTest() {
    files.AddDrive('C');
    environment.SetModulePath("C:\\dist\\SetUp.exe");
  }

  int Check(const std::string& path) { return CheckFolder(files, prompt, environment, path); }

  std::vector<std::string> CreatedDirs() const {
    std::vector<std::string> paths;
    for (const FsCall& call : files.CallsOf(FsOp::kCreateDir)) paths.push_back(call.path);
    return paths;
  }

  FakeFileSystem files;
  ScriptedPrompt prompt;
  FakeEnvironment environment;
};

TEST_F(CheckFolderTest, ExistingDriveRootIsAcceptedWithoutQuestion) {
  EXPECT_EQ(kFolderReady, Check("C:\\"));
  EXPECT_TRUE(prompt.Calls().empty());
  EXPECT_TRUE(CreatedDirs().empty());
}

TEST_F(CheckFolderTest, MissingDriveRootIsAskedForAndCannotBeCreated) {
  prompt.Answer(platform::kIdYes);
  prompt.Answer(platform::kIdOk);
  EXPECT_EQ(kFolderNotCreated, Check("Q:\\"));
  EXPECT_EQ((std::vector<PromptCall>{Question("Q:\\"), NotCreated("Q:\\")}), prompt.Calls());
}

TEST_F(CheckFolderTest, MissingFolderIsCreatedAfterOneQuestion) {
  prompt.Answer(platform::kIdYes);
  EXPECT_EQ(kFolderReady, Check("C:\\Brenix"));
  EXPECT_EQ(std::vector<PromptCall>{Question("C:\\Brenix")}, prompt.Calls());
  EXPECT_TRUE(files.FolderExists("C:\\Brenix"));
}

TEST_F(CheckFolderTest, AnyAnswerButYesDeclinesWithoutCreatingOrFurtherMessage) {
  for (int answer : {platform::kIdNo, 0}) {
    SCOPED_TRACE(answer);
    prompt.Answer(answer);
    EXPECT_EQ(kFolderDeclined, Check("C:\\Brenix"));
    EXPECT_TRUE(LastOf(prompt.Calls()) == Question("C:\\Brenix"));
  }
  EXPECT_EQ(2u, prompt.Calls().size());
  EXPECT_TRUE(CreatedDirs().empty());
  EXPECT_FALSE(files.FolderExists("C:\\Brenix"));
}

TEST_F(CheckFolderTest, NestedFolderIsCreatedLevelByLevelFromTheLeft) {
  files.AddFolder("C:\\a");  // an existing level is no error
  prompt.Answer(platform::kIdYes);
  EXPECT_EQ(kFolderReady, Check("C:\\a\\b\\c"));
  EXPECT_EQ((std::vector<std::string>{"C:\\a", "C:\\a\\b", "C:\\a\\b\\c"}), CreatedDirs());
  EXPECT_TRUE(files.FolderExists("C:\\a\\b\\c"));
  EXPECT_EQ(1u, prompt.Calls().size());
}

TEST_F(CheckFolderTest, LowerCaseDriveLetterIsAccepted) {
  files.AddDrive('D');
  prompt.Answer(platform::kIdYes);
  EXPECT_EQ(kFolderReady, Check("d:\\work"));
  EXPECT_TRUE(files.FolderExists("D:\\work"));
}

TEST_F(CheckFolderTest, ExistingFileOfThatNameCountsAsExisting) {
  files.AddFile("C:\\Brenix");
  EXPECT_EQ(kFolderReady, Check("C:\\Brenix"));
  EXPECT_TRUE(prompt.Calls().empty());
  EXPECT_TRUE(CreatedDirs().empty());
}

TEST_F(CheckFolderTest, FailedMiddleLevelIsReportedAndEarlierLevelsStay) {
  files.Fail(Fault("CreateDir", "C:\\a\\b"));
  prompt.Answer(platform::kIdYes);
  prompt.Answer(platform::kIdOk);
  EXPECT_EQ(kFolderNotCreated, Check("C:\\a\\b\\c"));
  EXPECT_EQ((std::vector<PromptCall>{Question("C:\\a\\b\\c"), NotCreated("C:\\a\\b\\c")}),
            prompt.Calls());
  EXPECT_EQ((std::vector<std::string>{"C:\\a", "C:\\a\\b"}), CreatedDirs());
  EXPECT_TRUE(files.FolderExists("C:\\a"));
  EXPECT_FALSE(files.FolderExists("C:\\a\\b"));
}

TEST_F(CheckFolderTest, LevelThatDoesNotExistAfterCreationFailsWhateverCreationReported) {
  files.Fail(Fault("Exists", "C:\\a"));
  prompt.Answer(platform::kIdYes);
  prompt.Answer(platform::kIdOk);
  EXPECT_EQ(kFolderNotCreated, Check("C:\\a"));
  EXPECT_TRUE(LastOf(prompt.Calls()) == NotCreated("C:\\a"));
}

TEST_F(CheckFolderTest, NamesOutsideAnyOneCodePageAreCreatedWhole) {
  const std::string first = "C:\\插件";
  const std::string second = first + "\\工具 한국어😀";
  prompt.Answer(platform::kIdYes);
  EXPECT_EQ(kFolderReady, Check(second));
  EXPECT_EQ((std::vector<std::string>{first, second}), CreatedDirs());
  EXPECT_TRUE(files.FolderExists(second));
}

TEST_F(CheckFolderTest, CutOffDoubleByteCharacterAtTheEndIsInvalid) {
  prompt.Answer(platform::kIdOk);
  EXPECT_EQ(kFolderInvalid, Check("C:\\a\x95"));
  EXPECT_EQ(std::vector<PromptCall>{Invalid("C:\\a\x95")}, prompt.Calls());
}

// A path of `length` UTF-16 units whose last level is made of `filler`, a
// character of one unit.
std::string PathOfLength(std::size_t length, const std::string& filler) {
  std::string path = "C:\\" + std::string(120, 'a') + "\\";
  for (std::size_t units = path.size(); units < length; ++units) path += filler;
  return path;
}

// The limit counts UTF-16 units, what the wide calls count: a Chinese
// character is one, however many bytes it takes.
TEST_F(CheckFolderTest, PathOf259UnitsIsCreated) {
  for (const char* filler : {"b", "插"}) {
    const std::string path = PathOfLength(259, filler);
    prompt.Answer(platform::kIdYes);
    EXPECT_EQ(kFolderReady, Check(path)) << filler;
    EXPECT_TRUE(files.FolderExists(path)) << filler;
  }
}

TEST_F(CheckFolderTest, PathOf260UnitsOrMoreIsInvalidAndNothingIsCreated) {
  for (const char* filler : {"b", "插"}) {
    for (std::size_t length : {260u, 4000u}) {
      const std::string path = PathOfLength(length, filler);
      prompt.Answer(platform::kIdOk);
      EXPECT_EQ(kFolderInvalid, Check(path)) << filler << length;
      EXPECT_TRUE(LastOf(prompt.Calls()) == Invalid(path));
    }
  }
  EXPECT_EQ(4u, prompt.Calls().size());
  EXPECT_TRUE(CreatedDirs().empty());
}

TEST_F(CheckFolderTest, CaptionIsEmptyWhenTheProgramPathIsUnknown) {
  environment.UnsetModulePath();
  prompt.Answer(platform::kIdNo);
  Check("C:\\Brenix");
  EXPECT_EQ("", prompt.Calls().at(0).caption);
}

class InvalidPathTest : public CheckFolderTest,
                        public ::testing::WithParamInterface<const char*> {};

TEST_P(InvalidPathTest, IsReportedWithoutQuestionOrCreation) {
  const std::string path = GetParam();
  prompt.Answer(platform::kIdOk);
  EXPECT_EQ(kFolderInvalid, Check(path));
  EXPECT_EQ(std::vector<PromptCall>{Invalid(path)}, prompt.Calls());
  EXPECT_TRUE(CreatedDirs().empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, InvalidPathTest,
                         ::testing::Values("C:\\Brenix\\", "C:\\a\\\\b", "C:\\a.\\b", "C:\\ a",
                                           "C:\\a\\b ", "C:\\.\\a", "C:\\..\\a", "C:\\\ta",
                                           "C:\\a\t", "C:a", "\\\\server\\share", "Brenix\\a",
                                           "c:/dir", "C:", "", "1:\\a", "C:\\a\"b", "C:\\a*b",
                                           "C:\\a/b", "C:\\a:b", "C:\\a<b", "C:\\a>b", "C:\\a?b",
                                           "C:\\a|b"));

TEST(CreateFolderPathTest, CheckOnlyTouchesNothing) {
  FakeFileSystem files;
  files.AddDrive('C');
  EXPECT_EQ(kFolderReady, CreateFolderPath(files, "C:\\a\\b", true));
  EXPECT_EQ(kFolderReady, CreateFolderPath(files, "Q:\\", true));
  EXPECT_TRUE(files.Log().empty());
  EXPECT_EQ(kFolderNotCreated, CreateFolderPath(files, "Q:\\", false));
}

TEST(CreateFolderPathTest, NullPathIsInvalid) {
  FakeFileSystem files;
  EXPECT_EQ(kFolderInvalid, CreateFolderPath(files, nullptr, true));
}

TEST(CreateFolderPathTest, CreationStopsAtTheFirstInvalidComponent) {
  FakeFileSystem files;
  files.AddDrive('C');
  EXPECT_EQ(kFolderInvalid, CreateFolderPath(files, "C:\\a\\b?\\c", false));
  EXPECT_TRUE(files.FolderExists("C:\\a"));
  EXPECT_EQ(1u, files.CallsOf(FsOp::kCreateDir).size());
}

// Text that is not well-formed UTF-8 names no folder: it is refused before
// its level is created, never passed on to be turned into another name.
TEST(IsValidFolderNameTest, IllFormedTextIsInvalidAndNothingIsCreated) {
  for (const char* name : {"a\x81", "\xE4\xB8", "a\xC0\xAF", "\xED\xA0\x80", "\xFF"}) {
    SCOPED_TRACE(::testing::PrintToString(name));
    EXPECT_EQ(0, IsValidFolderName(name));
    FakeFileSystem files;
    files.AddDrive('C');
    const std::string path = std::string("C:\\x\\") + name;
    EXPECT_EQ(kFolderInvalid, CreateFolderPath(files, path.c_str(), false));
    EXPECT_FALSE(files.FolderExists(path));
  }
}

TEST(IsValidFolderNameTest, JudgesWholeCharacters) {
  EXPECT_EQ(1, IsValidFolderName("a b.c"));
  EXPECT_EQ(1, IsValidFolderName("插件"));
  EXPECT_EQ(1, IsValidFolderName("AutoCAD 2012 - 한국어"));
  EXPECT_EQ(0, IsValidFolderName(".a"));
  EXPECT_EQ(0, IsValidFolderName("工具."));
  EXPECT_EQ(0, IsValidFolderName("工具|"));
}

}  // namespace
