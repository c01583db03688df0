#include "install/install_record.h"

#include <gtest/gtest.h>

#include <string>

#include "base/utf8.h"
#include "support/fake_platform.h"
#include "support/table_rows.h"

using base::TextList;
using install::InstallRecord;
using install::ParseRecord;

namespace {

// Lines of several installs read as one record.
struct Merge {
  const char* name;
  TextList lines;
  std::string expected;  // the record written again, lines joined with '|'
  bool damaged;
  PRINTS_ROW_NAME(Merge)
};

std::string Joined(const TextList& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "|") + line;
  return text;
}

class RecordMergeTest : public ::testing::TestWithParam<Merge> {};

TEST_P(RecordMergeTest, KeepsEachItemOnceAsTheLatestInstallLeftIt) {
  const Merge& row = GetParam();
  const InstallRecord record = ParseRecord(row.lines);
  EXPECT_EQ(row.damaged, record.damaged);
  EXPECT_EQ(row.expected, Joined(install::RecordLines(record)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordMergeTest,
    ::testing::Values(
        Merge{"created stays created",
              {"host-file\tcreated\tC:\\A\\f.shx", "host-file\treplaced\tc:\\a\\F.SHX"},
              "host-file\tcreated\tC:\\A\\f.shx",
              false},
        Merge{"replaced until created",
              {"host-file\treplaced\tC:\\A\\f", "host-file\tcreated\tC:\\A\\f"},
              "host-file\tcreated\tC:\\A\\f",
              false},
        Merge{"latest loader",
              {"demand-load\t32\t2010\tK\tApplications\\X\tC:\\old",
               "demand-load\t32\t2010\tk\tAPPLICATIONS\\X\tD:\\new",
               "demand-load\t64\t2010\tK\tApplications\\X\tE:\\other view"},
              "demand-load\t32\t2010\tk\tAPPLICATIONS\\X\tD:\\new|"
              "demand-load\t64\t2010\tK\tApplications\\X\tE:\\other view",
              false},
        Merge{"files and folders once",
              {"product-file\tC:\\a\\b", "folder\tC:\\a", "# note", "product-file\tc:\\A\\B"},
              "folder\tC:\\a|product-file\tC:\\a\\b",
              false},
        Merge{"unknown or malformed lines",
              {"folder\tC:\\a", "registry\tx", "folder", "demand-load\t16\t2010\tK\tA\tL", ""},
              "folder\tC:\\a",
              true},
        Merge{"escaped fields",
              {install::RecordLine({"trusted-paths", "P\t100%\r\nx"})},
              "trusted-paths\tP%09100%25%0D%0Ax",
              false}),
    RowName());

TEST(RecordFileTest, WritesUtf8AndReadsItBack) {
  FakePlatform fake;
  fake.files.AddDrive('C');
  fake.files.AddFolder("C:\\中文");
  install::RecordWriter writer(fake.files, "C:\\中文\\r.txt");
  writer.Folder("C:\\中文");
  writer.HostFile("C:\\中文\\x\ty", true);
  writer.ProductFile("C:\\Brenix\x81");  // not well-formed: never written
  EXPECT_EQ(kErrorNoUnicodeTranslation, writer.Error());
  std::u16string wide;
  ASSERT_TRUE(base::Utf8ToUtf16(fake.files.ReadFile("C:\\中文\\r.txt"), &wide));
  EXPECT_EQ(u"folder\tC:\\中文\r\nhost-file\tcreated\tC:\\中文\\x%09y\r\n", wide);
  TextList lines;
  ASSERT_EQ(0, install::ReadRecordLines(fake.files, "C:\\中文\\r.txt", &lines));
  const InstallRecord record = ParseRecord(lines);
  EXPECT_EQ(TextList{"C:\\中文"}, record.folders);
  ASSERT_EQ(1u, record.hostFiles.size());
  EXPECT_EQ("C:\\中文\\x\ty", record.hostFiles[0].path);
  EXPECT_EQ(kErrorFileNotFound, install::ReadRecordLines(fake.files, "C:\\none.txt", &lines));
}

}  // namespace
