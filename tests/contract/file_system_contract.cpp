#include "contract/file_system_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "support/table_rows.h"

namespace {

// Entries of the scratch folder as rows write them, separated by "|":
// "path=text" a file holding text, "path*=text" a read-only one, "path/" a
// folder and, for what a call leaves, "path!" nothing.
struct Entry {
  std::string path;
  char kind;
  std::string text;
};

std::vector<Entry> Parse(const std::string& entries) {
  std::vector<Entry> parsed;
  for (std::size_t start = 0; start < entries.size();) {
    const std::size_t end = std::min(entries.find('|', start), entries.size());
    const std::size_t mark = entries.find_first_of("=*/!", start);
    const std::size_t text = std::min(mark + (entries[mark] == '*' ? 2 : 1), end);
    parsed.push_back(
        {entries.substr(start, mark - start), entries[mark], entries.substr(text, end - text)});
    start = end + 1;
  }
  return parsed;
}

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

  void Arrange(const std::string& entries) {
    for (const Entry& entry : Parse(entries)) {
      if (entry.kind == '/') {
        ASSERT_TRUE(files().CreateDir(At(entry.path))) << entry.path;
        continue;
      }
      under().WriteFile(At(entry.path), entry.text);
      if (entry.kind == '*') {
        ASSERT_TRUE(files().SetAttributes(At(entry.path), platform::kAttrReadOnly));
      }
    }
  }

  // What the paths `entries` names hold now, written as `entries` is.
  std::string Held(const std::string& entries) {
    std::string held;
    for (const Entry& entry : Parse(entries)) {
      const unsigned long attributes = files().GetAttributes(At(entry.path));
      held += (held.empty() ? "" : "|") + entry.path;
      if (attributes == platform::kInvalidAttributes) {
        held += "!";
      } else if (attributes & platform::kAttrDirectory) {
        held += "/";
      } else {
        held +=
            (attributes & platform::kAttrReadOnly ? "*=" : "=") + under().ReadFile(At(entry.path));
      }
    }
    return held;
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

TEST_F(FileSystemContract, ListingASubFolderGivesDotEntriesFirstAndFileSizes) {
  ASSERT_TRUE(files().CreateDir(At("sub")));
  under().WriteFile(At("sub\\a.txt"), "12345");
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
    EXPECT_EQ(entries[i].name == "a.txt" ? 5u : 0u, entries[i].size) << entries[i].name;
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
  EXPECT_EQ(kErrorFileNotFound, files().LastError());
  EXPECT_FALSE(files().RemoveFile(At("no folder\\file.txt")));
  EXPECT_EQ(kErrorPathNotFound, files().LastError());
  EXPECT_FALSE(files().RemoveFile(At("protected.txt")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_TRUE(files().Exists(At("protected.txt")));
  EXPECT_FALSE(files().RemoveFile(At("folder")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
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

constexpr long kSomeError = -1;  // fails; the platforms differ in the code

// A call that changes the scratch folder: what it holds before, the call's
// path and argument, its error (0: success) and what it leaves.
struct ChangeRow {
  const char* name;
  const char* before;
  const char* path;
  const char* argument;  // MoveOver: the destination; AppendText: "=text" for each append
  long error;
  const char* after;
  std::optional<FsBehaviour> needs = std::nullopt;
  PRINTS_ROW_NAME(ChangeRow)
};

class ChangeTable : public FileSystemContract, public ::testing::WithParamInterface<ChangeRow> {
 protected:
  // Arranges the row, runs `call` and checks what it leaves.
  template <typename Call>
  void Check(Call call) {
    const ChangeRow& row = GetParam();
    if (row.needs && Lacks(*row.needs)) GTEST_SKIP() << Why();
    Arrange(row.before);
    const long error = call(row);
    if (row.error == kSomeError) {
      EXPECT_NE(0, error);
    } else {
      EXPECT_EQ(row.error, error);
    }
    EXPECT_EQ(row.after, Held(row.after));
  }
  long ErrorOf(bool succeeded) { return succeeded ? 0 : static_cast<long>(files().LastError()); }
};

class RemoveDirTable : public ChangeTable {};

TEST_P(RemoveDirTable, RemovesAnEmptyFolderOnly) {
  Check([this](const ChangeRow& row) { return ErrorOf(files().RemoveDir(At(row.path))); });
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RemoveDirTable,
    ::testing::Values(
        ChangeRow{"empty", "sub/", "sub", "", 0, "sub!"},
        ChangeRow{"not empty", "sub/|sub\\a.txt=a", "sub", "", kErrorDirNotEmpty, "sub\\a.txt=a"},
        ChangeRow{"a file", "a.txt=a", "a.txt", "", kErrorDirectory, "a.txt=a"},
        ChangeRow{"missing", "", "missing", "", kErrorFileNotFound, "missing!"},
        ChangeRow{"missing folder above", "", "no\\sub", "", kErrorPathNotFound, "no!"}),
    RowName());

class MoveOverTable : public ChangeTable {};

TEST_P(MoveOverTable, MovesWithinAVolumeAndReplacesAFile) {
  Check([this](const ChangeRow& row) {
    return ErrorOf(files().MoveOver(At(row.path), At(row.argument)));
  });
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MoveOverTable,
    ::testing::Values(
        ChangeRow{"rename in a folder", "a.txt=a", "a.txt", "b.txt", 0, "a.txt!|b.txt=a"},
        ChangeRow{"replace a file", "a.txt=new|b.txt=old", "a.txt", "b.txt", 0, "a.txt!|b.txt=new"},
        ChangeRow{"a folder with its files", "sub/|sub\\in.txt=x", "sub", "moved", 0,
                  "sub!|moved\\in.txt=x"},
        ChangeRow{"missing source", "", "missing.txt", "b.txt", kErrorFileNotFound, "b.txt!"},
        ChangeRow{"missing destination folder", "a.txt=a", "a.txt", "no\\a.txt", kErrorPathNotFound,
                  "a.txt=a|no!"},
        ChangeRow{"a file onto a folder", "a.txt=a|sub/", "a.txt", "sub", kErrorAccessDenied,
                  "a.txt=a|sub/"},
        ChangeRow{"a folder into itself", "sub/|sub\\in.txt=x", "sub", "sub\\inner", kSomeError,
                  "sub\\in.txt=x|sub\\inner!"},
        ChangeRow{"a folder onto a file", "sub/|b.txt=b", "sub", "b.txt", kErrorAccessDenied,
                  "sub/|b.txt=b", FsBehaviour::kFolderReplacesNoFile},
        ChangeRow{"onto a read-only file", "a.txt=a|b.txt*=b", "a.txt", "b.txt", kErrorAccessDenied,
                  "a.txt=a|b.txt*=b", FsBehaviour::kReadOnlyDestinationRefused}),
    RowName());

class AppendTextTable : public ChangeTable {};

TEST_P(AppendTextTable, AddsAtTheEndCreatingTheFile) {
  Check([this](const ChangeRow& row) {
    long error = 0;
    for (const Entry& text : Parse(row.argument)) {
      error = static_cast<long>(files().AppendText(At(row.path), text.text));
    }
    return error;
  });
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AppendTextTable,
    ::testing::Values(ChangeRow{"creates the file", "", "new.log", "=line\r\n", 0,
                                "new.log=line\r\n"},
                      ChangeRow{"appends in order", "a.log=a", "a.log", "=b|=c", 0, "a.log=abc"},
                      ChangeRow{"missing folder", "", "no\\a.log", "=x", kErrorPathNotFound, "no!"},
                      ChangeRow{"a folder", "sub/", "sub", "=x", kErrorAccessDenied, "sub/"},
                      ChangeRow{"a read-only file", "r.log*=r", "r.log", "=x", kErrorAccessDenied,
                                "r.log*=r", FsBehaviour::kReadOnlyDestinationRefused}),
    RowName());

TEST_F(FileSystemContract, MoveOverStaysOnItsVolume) {
  const std::string other = under().OtherVolume();
  if (other.empty()) GTEST_SKIP() << "no second volume";
  under().WriteFile(At("a.txt"), "a");
  EXPECT_FALSE(files().MoveOver(At("a.txt"), other + "\\a.txt"));
  EXPECT_EQ(kErrorNotSameDevice, files().LastError());
  EXPECT_TRUE(files().Exists(At("a.txt")));
}

TEST_F(FileSystemContract, ARunningProgramsFileMovesButCannotBeDeletedOrReplaced) {
  under().WriteFile(At("new.exe"), "new");
  under().StartProgram(At("running.exe"));

  EXPECT_FALSE(files().RemoveFile(At("running.exe")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_FALSE(files().CopyOver(At("new.exe"), At("running.exe")));
  EXPECT_EQ(kErrorSharingViolation, files().LastError());
  ASSERT_TRUE(files().MoveOver(At("running.exe"), At("running.old")));
  EXPECT_FALSE(files().RemoveFile(At("running.old")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_FALSE(files().MoveOver(At("new.exe"), At("running.old")));
  EXPECT_EQ(kErrorAccessDenied, files().LastError());
  EXPECT_TRUE(files().MoveOver(At("new.exe"), At("running.exe")));
}

TEST_F(FileSystemContract, ABusyFileCannotBeMovedReadOrAppendedTo) {
  under().WriteFile(At("busy.txt"), "busy");
  under().Lock(At("busy.txt"));
  std::string text;
  EXPECT_FALSE(files().MoveOver(At("busy.txt"), At("moved.txt")));
  EXPECT_EQ(kErrorSharingViolation, files().LastError());
  EXPECT_EQ(kErrorSharingViolation, files().ReadText(At("busy.txt"), 100, &text));
  EXPECT_EQ(kErrorSharingViolation, files().AppendText(At("busy.txt"), "more"));
  under().Unlock(At("busy.txt"));
  EXPECT_EQ("busy", under().ReadFile(At("busy.txt")));
}

struct ReadRow {
  const char* name;
  const char* before;
  const char* path;
  std::size_t capacity;
  unsigned long error;
  std::string text;
  PRINTS_ROW_NAME(ReadRow)
};

class ReadTextTable : public FileSystemContract, public ::testing::WithParamInterface<ReadRow> {};

TEST_P(ReadTextTable, ReadsAWholeFileThatFits) {
  const ReadRow& row = GetParam();
  Arrange(row.before);
  std::string text = "untouched";
  EXPECT_EQ(row.error, files().ReadText(At(row.path), row.capacity, &text));
  EXPECT_EQ(row.text, text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadTextTable,
    ::testing::Values(ReadRow{"whole", "a.txt=ab\r\nc", "a.txt", 5, 0, "ab\r\nc"},
                      ReadRow{"empty", "a.txt=", "a.txt", 0, 0, ""},
                      ReadRow{"larger than the capacity", "a.txt=abc", "a.txt", 2, kErrorMoreData,
                              ""},
                      ReadRow{"missing", "", "missing.txt", 10, kErrorFileNotFound, ""},
                      ReadRow{"missing folder", "", "no\\a.txt", 10, kErrorPathNotFound, ""},
                      ReadRow{"a folder", "sub/", "sub", 10, kErrorAccessDenied, ""}),
    RowName());

class FileSystemForeignPathTable : public FileSystemContract,
                                   public ::testing::WithParamInterface<TextRow> {};

// No code page holds Chinese, Hangul and "𝄞" together: each call gets the
// name whole, and the listing gives it back so.
TEST_P(FileSystemForeignPathTable, FilesAndFoldersWithTheNameAreMadeListedCopiedMovedAndRemoved) {
  const std::string& text = GetParam().text;
  const std::string folder = At(text);
  const std::string file = folder + "\\" + text + ".txt";
  ASSERT_TRUE(files().CreateDir(folder));
  EXPECT_EQ(0, files().MakeDir(folder + "\\" + text));
  EXPECT_EQ(0u, files().AppendText(file, text));
  EXPECT_TRUE(files().Exists(file));

  std::set<std::string> listed;
  for (const platform::FileEntry& entry : ListAll(folder + "\\*.*")) listed.insert(entry.name);
  EXPECT_EQ(listed, (std::set<std::string>{".", "..", text, text + ".txt"}));

  EXPECT_TRUE(files().CopyOver(file, folder + "\\" + text + " copy.txt"));
  EXPECT_TRUE(files().SetAttributes(file, platform::kAttrReadOnly));
  EXPECT_TRUE(HasAttribute(file, platform::kAttrReadOnly));
  EXPECT_TRUE(files().SetAttributes(file, platform::kAttrNormal));
  EXPECT_TRUE(files().MoveOver(folder, At(text + " moved")));
  std::string read;
  EXPECT_EQ(0u, files().ReadText(At(text + " moved\\" + text + " copy.txt"), 100, &read));
  EXPECT_EQ(text, read);
  EXPECT_EQ(0u, files().ProbeWrite(At(text + " moved")));

  EXPECT_TRUE(files().RemoveFile(At(text + " moved\\" + text + ".txt")));
  EXPECT_TRUE(files().RemoveFile(At(text + " moved\\" + text + " copy.txt")));
  EXPECT_TRUE(files().RemoveDir(At(text + " moved\\" + text)));
  EXPECT_TRUE(files().RemoveDir(At(text + " moved")));
  EXPECT_EQ(ListAll(At("*")).size(), 2u);  // "." and ".." only
}

INSTANTIATE_TEST_SUITE_P(Texts, FileSystemForeignPathTable, ForeignTextRows(), RowName());

// A surrogate written in UTF-8, which no well-formed text holds.
const std::string kIllFormed = "bad\xED\xA0\x80";

struct IllFormedRow {
  const char* name;  // the call
  PRINTS_ROW_NAME(IllFormedRow)
};

// The call a row names on the scratch folder's "a.txt" and the ill-formed
// path `bad`: its error, 0 for success.
unsigned long CallWithPath(platform::FileSystemPort& files, const std::string& call,
                           const std::string& good, const std::string& bad) {
  const auto failure = [&](bool succeeded) { return succeeded ? 0 : files.LastError(); };
  std::string text;
  if (call == "copy from") return failure(files.CopyOver(bad, good));
  if (call == "copy to") return failure(files.CopyOver(good, bad));
  if (call == "move to") return failure(files.MoveOver(good, bad));
  if (call == "create dir") return failure(files.CreateDir(bad));
  if (call == "make dir") return failure(files.MakeDir(bad) == 0);
  if (call == "remove file") return failure(files.RemoveFile(bad));
  if (call == "remove dir") return failure(files.RemoveDir(bad));
  if (call == "attributes")
    return failure(files.GetAttributes(bad) != platform::kInvalidAttributes);
  if (call == "set attributes") return failure(files.SetAttributes(bad, platform::kAttrNormal));
  if (call == "exists") return failure(files.Exists(bad));
  if (call == "list") return failure(files.List(bad + "\\*.*") != nullptr);
  if (call == "probe write") return files.ProbeWrite(bad);
  if (call == "read text") return files.ReadText(bad, 100, &text);
  return files.AppendText(bad, "x");
}

class FileSystemIllFormedTable : public FileSystemContract,
                                 public ::testing::WithParamInterface<IllFormedRow> {};

// Nothing is made, changed or found under another name.
TEST_P(FileSystemIllFormedTable, APathThatIsNotUtf8FailsAndTouchesNothing) {
  under().WriteFile(At("a.txt"), "a");
  EXPECT_EQ(static_cast<unsigned long>(kErrorNoUnicodeTranslation),
            CallWithPath(files(), GetParam().name, At("a.txt"), At(kIllFormed)));
  std::set<std::string> listed;
  for (const platform::FileEntry& entry : ListAll(At("*"))) listed.insert(entry.name);
  EXPECT_EQ(listed, (std::set<std::string>{".", "..", "a.txt"}));
  EXPECT_EQ(under().ReadFile(At("a.txt")), "a");
}

INSTANTIATE_TEST_SUITE_P(Calls, FileSystemIllFormedTable,
                         ::testing::Values(IllFormedRow{"copy from"}, IllFormedRow{"copy to"},
                                           IllFormedRow{"move to"}, IllFormedRow{"create dir"},
                                           IllFormedRow{"make dir"}, IllFormedRow{"remove file"},
                                           IllFormedRow{"remove dir"}, IllFormedRow{"attributes"},
                                           IllFormedRow{"set attributes"}, IllFormedRow{"exists"},
                                           IllFormedRow{"list"}, IllFormedRow{"probe write"},
                                           IllFormedRow{"read text"}, IllFormedRow{"append text"}),
                         RowName());

}  // namespace
