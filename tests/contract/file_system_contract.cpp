#include "contract/file_system_contract.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

class FileSystemContract : public ::testing::Test {
 protected:
  void SetUp() override { m_under = MakeFileSystemUnderTest(); }

  platform::FileSystemPort& files() { return m_under->Port(); }
  FileSystemUnderTest& under() { return *m_under; }
  std::string At(const std::string& relative) const { return m_under->Scratch() + "\\" + relative; }

  std::vector<platform::FileEntry> ListAll(const std::string& pattern) {
    std::vector<platform::FileEntry> entries;
    const std::unique_ptr<platform::FileListing> listing = files().List(pattern);
    platform::FileEntry entry;
    while (listing && listing->Next(&entry)) entries.push_back(entry);
    return entries;
  }

  // Skips the test, saying why, when the platform lacks `behaviour`.
  bool Lacks(FsBehaviour behaviour) {
    m_without = m_under->WhyWithout(behaviour);
    return !m_without.empty();
  }
  const std::string& Why() const { return m_without; }

  bool HasAttribute(const std::string& path, unsigned long attribute) {
    const unsigned long attributes = files().GetAttributes(path);
    return attributes != platform::kInvalidAttributes && (attributes & attribute) != 0;
  }

 private:
  std::unique_ptr<FileSystemUnderTest> m_under;
  std::string m_without;
};

TEST_F(FileSystemContract, CopyMakesANewFileWithTheSourcesAttributes) {
  under().WriteFile(At("source.txt"), "new");
  ASSERT_TRUE(files().SetAttributes(At("source.txt"), platform::kAttrReadOnly));

  EXPECT_TRUE(files().CopyOver(At("source.txt"), At("fresh.txt")));

  EXPECT_EQ(under().ReadFile(At("fresh.txt")), "new");
  EXPECT_TRUE(HasAttribute(At("fresh.txt"), platform::kAttrReadOnly));
  EXPECT_TRUE(HasAttribute(At("source.txt"), platform::kAttrReadOnly));
}

TEST_F(FileSystemContract, CopyOverReplacesAnExistingFile) {
  under().WriteFile(At("source.txt"), "new");
  under().WriteFile(At("existing.txt"), "old");

  EXPECT_TRUE(files().CopyOver(At("source.txt"), At("existing.txt")));
  EXPECT_EQ(under().ReadFile(At("existing.txt")), "new");
}

TEST_F(FileSystemContract, CopyOverGivesAnExistingFileTheSourcesAttributes) {
  if (Lacks(FsBehaviour::kAttributesReplaced)) GTEST_SKIP() << Why();
  under().WriteFile(At("source.txt"), "new");
  under().WriteFile(At("existing.txt"), "old");
  ASSERT_TRUE(files().SetAttributes(At("source.txt"), platform::kAttrReadOnly));

  EXPECT_TRUE(files().CopyOver(At("source.txt"), At("existing.txt")));
  EXPECT_TRUE(HasAttribute(At("existing.txt"), platform::kAttrReadOnly));
}

TEST_F(FileSystemContract, CopyFailsWithoutSourceOrDestinationFolder) {
  under().WriteFile(At("source.txt"), "x");

  EXPECT_FALSE(files().CopyOver(At("missing.txt"), At("copy.txt")));
  EXPECT_EQ(kErrorFileNotFound, files().LastError());
  EXPECT_FALSE(files().CopyOver(At("source.txt"), At("no folder\\copy.txt")));
  EXPECT_EQ(kErrorPathNotFound, files().LastError());

  EXPECT_FALSE(files().Exists(At("copy.txt")));
  EXPECT_FALSE(files().Exists(At("no folder")));
}

TEST_F(FileSystemContract, CopyOntoReadOnlyFileFails) {
  if (Lacks(FsBehaviour::kReadOnlyDestinationRefused)) GTEST_SKIP() << Why();
  under().WriteFile(At("source.txt"), "new");
  under().WriteFile(At("protected.txt"), "old");
  ASSERT_TRUE(files().SetAttributes(At("protected.txt"), platform::kAttrReadOnly));

  EXPECT_FALSE(files().CopyOver(At("source.txt"), At("protected.txt")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_EQ(under().ReadFile(At("protected.txt")), "old");
}

TEST_F(FileSystemContract, CopyOntoHiddenFileFails) {
  if (Lacks(FsBehaviour::kHiddenDestinationRefused)) GTEST_SKIP() << Why();
  under().WriteFile(At("source.txt"), "new");
  under().WriteFile(At("hidden.txt"), "old");
  ASSERT_TRUE(files().SetAttributes(At("hidden.txt"), platform::kAttrHidden));

  EXPECT_FALSE(files().CopyOver(At("source.txt"), At("hidden.txt")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_EQ(under().ReadFile(At("hidden.txt")), "old");
}

TEST_F(FileSystemContract, CopyFromBusyFileFailsUntilReleased) {
  under().WriteFile(At("busy.txt"), "x");
  under().Lock(At("busy.txt"));
  EXPECT_FALSE(files().CopyOver(At("busy.txt"), At("copy.txt")));
  EXPECT_EQ(kErrorSharingViolation, files().LastError());
  under().Unlock(At("busy.txt"));
  EXPECT_TRUE(files().CopyOver(At("busy.txt"), At("copy.txt")));
}

TEST_F(FileSystemContract, CopyOntoBusyFileFails) {
  if (Lacks(FsBehaviour::kBusyDestinationRefused)) GTEST_SKIP() << Why();
  under().WriteFile(At("source.txt"), "new");
  under().WriteFile(At("busy.txt"), "old");
  under().Lock(At("busy.txt"));
  EXPECT_FALSE(files().CopyOver(At("source.txt"), At("busy.txt")));
  EXPECT_EQ(kErrorSharingViolation, files().LastError());
  under().Unlock(At("busy.txt"));
  EXPECT_EQ(under().ReadFile(At("busy.txt")), "old");
}

TEST_F(FileSystemContract, CreateDirAndMakeDirMakeOneLevelOnly) {
  EXPECT_TRUE(files().CreateDir(At("one")));
  EXPECT_EQ(files().MakeDir(At("two")), 0);
  EXPECT_TRUE(HasAttribute(At("one"), platform::kAttrDirectory));
  EXPECT_TRUE(HasAttribute(At("two"), platform::kAttrDirectory));

  EXPECT_FALSE(files().CreateDir(At("one")));
  EXPECT_EQ(files().MakeDir(At("two")), -1);
  EXPECT_FALSE(files().CreateDir(At("a\\b")));
  EXPECT_EQ(files().MakeDir(At("c\\d")), -1);
  EXPECT_FALSE(files().Exists(At("a")));
  EXPECT_FALSE(files().Exists(At("c")));

  under().WriteFile(At("file"), "");
  EXPECT_FALSE(files().CreateDir(At("file")));
  EXPECT_EQ(files().MakeDir(At("file")), -1);
}

TEST_F(FileSystemContract, ExistsAndAttributesTellFilesFromFolders) {
  under().WriteFile(At("file.txt"), "x");
  ASSERT_TRUE(files().CreateDir(At("folder")));

  EXPECT_TRUE(files().Exists(At("file.txt")));
  EXPECT_TRUE(files().Exists(At("folder")));
  EXPECT_FALSE(files().Exists(At("missing")));
  EXPECT_FALSE(HasAttribute(At("file.txt"), platform::kAttrDirectory));
  EXPECT_TRUE(HasAttribute(At("folder"), platform::kAttrDirectory));
  EXPECT_EQ(files().GetAttributes(At("missing")), platform::kInvalidAttributes);
}

TEST_F(FileSystemContract, SetAttributesTurnsReadOnlyOnAndOff) {
  under().WriteFile(At("file.txt"), "x");
  ASSERT_TRUE(
      files().SetAttributes(At("file.txt"), platform::kAttrReadOnly | platform::kAttrHidden));
  EXPECT_TRUE(HasAttribute(At("file.txt"), platform::kAttrReadOnly));
  EXPECT_TRUE(HasAttribute(At("file.txt"), platform::kAttrHidden));

  ASSERT_TRUE(files().SetAttributes(At("file.txt"), platform::kAttrHidden));
  EXPECT_FALSE(HasAttribute(At("file.txt"), platform::kAttrReadOnly));
  EXPECT_TRUE(HasAttribute(At("file.txt"), platform::kAttrHidden));

  EXPECT_FALSE(files().SetAttributes(At("missing.txt"), platform::kAttrNormal));
}

TEST_F(FileSystemContract, NamesMatchIgnoringCaseAndKeepTheirSpelling) {
  under().WriteFile(At("MixedCase.txt"), "old");
  under().WriteFile(At("source.txt"), "new");

  EXPECT_TRUE(files().Exists(At("MIXEDCASE.TXT")));
  EXPECT_NE(files().GetAttributes(At("mixedcase.txt")), platform::kInvalidAttributes);
  EXPECT_TRUE(files().CopyOver(At("source.txt"), At("mixedCASE.txt")));

  const std::vector<platform::FileEntry> found = ListAll(At("MIXEDCASE.txt"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "MixedCase.txt");
  EXPECT_EQ(under().ReadFile(At("MixedCase.txt")), "new");
}

TEST_F(FileSystemContract, ListingASubFolderGivesDotEntriesFirst) {
  ASSERT_TRUE(files().CreateDir(At("sub")));
  under().WriteFile(At("sub\\a.txt"), "");
  under().WriteFile(At("sub\\noext"), "");
  ASSERT_TRUE(files().CreateDir(At("sub\\inner")));

  const std::vector<platform::FileEntry> entries = ListAll(At("sub\\*.*"));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].name, ".");
  EXPECT_EQ(entries[1].name, "..");
  std::set<std::string> rest;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool folder = entries[i].attributes & platform::kAttrDirectory;
    EXPECT_EQ(folder, i < 2 || entries[i].name == "inner") << entries[i].name;
    if (i >= 2) rest.insert(entries[i].name);
  }
  EXPECT_EQ(rest, (std::set<std::string>{"a.txt", "noext", "inner"}));
}

TEST_F(FileSystemContract, ListingAPlainPathFindsThatEntryOnly) {
  ASSERT_TRUE(files().CreateDir(At("sub")));
  under().WriteFile(At("sub\\a.txt"), "");

  const std::vector<platform::FileEntry> file = ListAll(At("sub\\a.txt"));
  ASSERT_EQ(file.size(), 1u);
  EXPECT_EQ(file[0].name, "a.txt");
  EXPECT_FALSE(file[0].attributes & platform::kAttrDirectory);

  const std::vector<platform::FileEntry> folder = ListAll(At("sub"));
  ASSERT_EQ(folder.size(), 1u);
  EXPECT_EQ(folder[0].name, "sub");
  EXPECT_TRUE(folder[0].attributes & platform::kAttrDirectory);

  EXPECT_EQ(files().List(At("missing")), nullptr);
  EXPECT_EQ(files().List(At("missing\\*.*")), nullptr);
  EXPECT_EQ(files().List(At("sub\\")), nullptr);
}

TEST_F(FileSystemContract, RemoveFileDeletesPlainFilesOnly) {
  under().WriteFile(At("file.txt"), "");
  under().WriteFile(At("protected.txt"), "");
  ASSERT_TRUE(files().SetAttributes(At("protected.txt"), platform::kAttrReadOnly));
  ASSERT_TRUE(files().CreateDir(At("folder")));

  EXPECT_TRUE(files().RemoveFile(At("file.txt")));
  EXPECT_FALSE(files().Exists(At("file.txt")));
  EXPECT_FALSE(files().RemoveFile(At("file.txt")));
  EXPECT_FALSE(files().RemoveFile(At("protected.txt")));
  EXPECT_TRUE(files().Exists(At("protected.txt")));
  EXPECT_FALSE(files().RemoveFile(At("folder")));
  EXPECT_TRUE(files().Exists(At("folder")));
}

TEST_F(FileSystemContract, RemoveFileDeletesANamedStreamAndKeepsTheFile) {
  if (Lacks(FsBehaviour::kStreams)) GTEST_SKIP() << Why();
  under().WriteFile(At("download.txt"), "data");
  under().AddStream(At("download.txt"), "Zone.Identifier");

  EXPECT_TRUE(files().RemoveFile(At("download.txt:Zone.Identifier")));
  EXPECT_FALSE(under().HasStream(At("download.txt"), "Zone.Identifier"));
  EXPECT_EQ(under().ReadFile(At("download.txt")), "data");
  EXPECT_FALSE(files().RemoveFile(At("download.txt:Zone.Identifier")));
}

}  // namespace
