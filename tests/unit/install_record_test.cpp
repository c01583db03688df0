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

TEST(RecordFileTest, WritesUtf8AndReadsBackTheCodePagesText) {
  FakePlatform fake;
  fake.files.AddDrive('C');
  fake.files.AddFolder("C:\\中文");
  install::RecordWriter writer(fake.files, fake.environment, "C:\\中文\\r.txt");
  writer.Folder("C:\\中文");
  writer.HostFile("C:\\中文\\x\ty", true);
  writer.ProductFile("C:\\Brenix\x81");  // not text of the code page: never written
  EXPECT_EQ(kErrorNoUnicodeTranslation, writer.Error());
  std::u16string wide;
  ASSERT_TRUE(base::Utf8ToUtf16(fake.files.ReadFile("C:\\中文\\r.txt"), &wide));
  EXPECT_EQ(u"folder\tC:\\中文\r\nhost-file\tcreated\tC:\\中文\\x%09y\r\n", wide);
  TextList lines;
  ASSERT_EQ(0, install::ReadRecordLines(fake.files, fake.environment, "C:\\中文\\r.txt", &lines));
  const InstallRecord record = ParseRecord(lines);
  EXPECT_EQ(TextList{"C:\\中文"}, record.folders);
  ASSERT_EQ(1u, record.hostFiles.size());
  EXPECT_EQ("C:\\中文\\x\ty", record.hostFiles[0].path);
  EXPECT_EQ(kErrorFileNotFound,
            install::ReadRecordLines(fake.files, fake.environment, "C:\\none.txt", &lines));
}

struct Utf8 {
  const char* name;
  std::string bytes;
  bool wellFormed;
  std::u16string text;
  PRINTS_ROW_NAME(Utf8)
};

class Utf8Test : public ::testing::TestWithParam<Utf8> {};

TEST_P(Utf8Test, ConvertsBothWaysOrRefusesMalformedBytes) {
  const Utf8& row = GetParam();
  std::u16string wide;
  EXPECT_EQ(row.wellFormed, base::Utf8ToUtf16(row.bytes, &wide));
  if (!row.wellFormed) return;
  EXPECT_EQ(row.text, wide);
  EXPECT_EQ(row.bytes, base::Utf16ToUtf8(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Utf8Test,
    ::testing::Values(Utf8{"ascii", "C:\\a", true, u"C:\\a"},
                      Utf8{"two to four bytes", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", true,
                           u"\u00E9\u4E2D\U0001F600"},
                      Utf8{"overlong", "\xC0\xAF", false, u""},
                      Utf8{"surrogate", "\xED\xA0\x80", false, u""},
                      Utf8{"past the last code point", "\xF4\x90\x80\x80", false, u""},
                      Utf8{"cut short", "\xE4\xB8", false, u""},
                      Utf8{"stray continuation", "a\x80", false, u""}),
    RowName());

TEST(Utf8Test, ALoneSurrogateBecomesTheReplacementCharacter) {
  EXPECT_EQ("a\xEF\xBF\xBD", base::Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD800)));
}

}  // namespace
