#include "contract/registry_contract.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/table_rows.h"

namespace {

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    m_underTest = MakeRegistryUnderTest();
    ASSERT_EQ(kErrorSuccess,
              Port().CreateKey(platform::kHKeyCurrentUser, m_underTest->ScratchPath(), &m_scratch));
  }

  void TearDown() override {
    Port().CloseKey(m_scratch);
    DeleteTree(platform::kHKeyCurrentUser, m_underTest->ScratchPath());
    m_underTest.reset();
  }

  platform::RegistryPort& Port() { return m_underTest->Port(); }

  void DeleteTree(platform::RegKey parent, const std::string& path) {
    platform::RegKey key = 0;
    if (Port().OpenKeyForRead(parent, path, &key) != kErrorSuccess) return;
    for (const auto& name : Names(key)) DeleteTree(key, name);
    Port().CloseKey(key);
    Port().DeleteKey(parent, path);
  }

  void Create(const std::string& path) {
    platform::RegKey key = 0;
    ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, path, &key));
    EXPECT_NE(0u, key);
    Port().CloseKey(key);
  }

  long OpenResult(const std::string& path) {
    platform::RegKey key = 0;
    const long result = Port().OpenKeyForRead(m_scratch, path, &key);
    if (result == kErrorSuccess) Port().CloseKey(key);
    return result;
  }

  // Sub-key names in enumeration order, read with room for 255 characters.
  std::vector<std::string> Names(platform::RegKey key) {
    std::vector<std::string> names;
    unsigned long count = 0;
    EXPECT_EQ(kErrorSuccess, Port().CountSubKeys(key, &count));
    for (unsigned long i = 0; i < count; ++i) {
      std::string name;
      EXPECT_EQ(kErrorSuccess, Port().EnumSubKey(key, i, 256, &name));
      names.push_back(name);
    }
    std::string past;
    EXPECT_EQ(kErrorNoMoreItems, Port().EnumSubKey(key, count, 256, &past));
    return names;
  }

  void Set(const std::string& name, unsigned long type, const std::string& data) {
    ASSERT_EQ(kErrorSuccess, Port().SetValue(m_scratch, name, type, data));
  }

  // The value's data, or the failure's code in place of it.
  std::string Query(platform::RegKey key, const std::string& name, std::size_t capacity = 256,
                    unsigned long* type = nullptr) {
    std::string data = "untouched";
    unsigned long storedType = 0;
    const long result = Port().QueryValue(key, name, capacity, &data, &storedType);
    if (type) *type = storedType;
    return result == kErrorSuccess ? data : "error " + std::to_string(result);
  }

  // The value's UTF-16 data, or the failure's code in place of it.
  std::u16string QueryWide(const std::string& name, std::size_t capacity = 256,
                           unsigned long* type = nullptr) {
    std::u16string data = u"untouched";
    unsigned long storedType = 0;
    const long result = Port().QueryWideValue(m_scratch, name, capacity, &data, &storedType);
    if (type) *type = storedType;
    if (result == kErrorSuccess) return data;
    const std::string code = "error " + std::to_string(result);
    return std::u16string(code.begin(), code.end());
  }

  std::unique_ptr<RegistryUnderTest> m_underTest;
  platform::RegKey m_scratch = 0;
};

const std::string kMoreData = "error " + std::to_string(kErrorMoreData);
const std::string kNotFound = "error " + std::to_string(kErrorFileNotFound);

TEST_F(RegistryContract, CreateKeyCreatesEveryMissingKeyOnItsPathAndOpensAnExistingOne) {
  Create("a\\b\\c");
  EXPECT_EQ(kErrorSuccess, OpenResult("a"));
  EXPECT_EQ(kErrorSuccess, OpenResult("a\\b"));
  EXPECT_EQ(kErrorSuccess, OpenResult("a\\b\\c"));

  platform::RegKey again = 0;
  ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, "a\\b", &again));
  EXPECT_EQ(kErrorSuccess, Port().SetValue(again, "v", platform::kRegSz, std::string("x\0", 2)));
  Port().CloseKey(again);
  platform::RegKey read = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, "a\\b", &read));
  EXPECT_EQ(std::string("x\0", 2), Query(read, "v"));
  EXPECT_EQ((std::vector<std::string>{"c"}), Names(read));
  Port().CloseKey(read);
}

TEST_F(RegistryContract, OpeningAMissingKeyFailsWithNotFound) {
  Create("a");
  platform::RegKey key = 0;
  EXPECT_EQ(kErrorFileNotFound, Port().OpenKey(m_scratch, "missing", &key));
  EXPECT_EQ(kErrorFileNotFound, Port().OpenKeyForRead(m_scratch, "a\\missing", &key));
  EXPECT_EQ(kErrorFileNotFound,
            Port().OpenKey(platform::kHKeyLocalMachine, "SOFTWARE\\NoSuchVendorH1", &key));
}

TEST_F(RegistryContract, AnEmptyPathOpensTheKeyItselfAsAHandleOfItsOwn) {
  Set("v", platform::kRegSz, std::string("here\0", 5));
  platform::RegKey read = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, "", &read));
  EXPECT_EQ(std::string("here\0", 5), Query(read, "v"));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(read));

  platform::RegKey same = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKey(m_scratch, "", &same));
  EXPECT_EQ(std::string("here\0", 5), Query(same, "v"));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(same));
  EXPECT_EQ(std::string("here\0", 5), Query(m_scratch, "v"));  // still open

  platform::RegKey root = 0;
  platform::RegKey below = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKey(platform::kHKeyCurrentUser, "", &root));
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(root, m_underTest->ScratchPath(), &below));
  EXPECT_EQ(std::string("here\0", 5), Query(below, "v"));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(below));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(root));
}

TEST_F(RegistryContract, NamesIgnoreCaseButKeepTheCaseTheyWereCreatedWith) {
  Create("MixedCase\\Inner");
  Create("mixedCASE");
  EXPECT_EQ(kErrorSuccess, OpenResult("MIXEDCASE\\inner"));
  EXPECT_EQ((std::vector<std::string>{"MixedCase"}), Names(m_scratch));

  Set("ValueName", platform::kRegSz, std::string("1\0", 2));
  Set("VALUENAME", platform::kRegSz, std::string("2\0", 2));
  EXPECT_EQ(std::string("2\0", 2), Query(m_scratch, "valuename"));
}

TEST_F(RegistryContract, ATrailingBackslashNamesTheSameKeyALeadingOneIsRejected) {
  Create("a\\b\\");
  EXPECT_EQ(kErrorSuccess, OpenResult("a\\b\\"));
  EXPECT_EQ((std::vector<std::string>{"a"}), Names(m_scratch));
  EXPECT_EQ(kErrorBadPathname, OpenResult("\\a"));
}

TEST_F(RegistryContract, ACharacterWhoseGbkTrailByteIsABackslashIsNoSeparator) {
  const std::string name = "x昞y";  // GBK 0x95 0x5C between two letters
  Create(name);
  EXPECT_EQ((std::vector<std::string>{name}), Names(m_scratch));
  EXPECT_EQ(kErrorSuccess, OpenResult(name));
}

TEST_F(RegistryContract, SubKeysAreCountedAndEnumeratedEachOnce) {
  Create("one");
  Create("two\\deeper");
  Create("three");
  auto names = Names(m_scratch);
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"one", "three", "two"}), names);

  platform::RegKey leaf = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, "one", &leaf));
  EXPECT_TRUE(Names(leaf).empty());
  Port().CloseKey(leaf);
}

struct LongestNameRow {
  const char* name;
  std::string keyName;  // 255 UTF-16 units, the longest a key name takes
  PRINTS_ROW_NAME(LongestNameRow)
};

class EnumSubKeyTable : public RegistryContract,
                        public ::testing::WithParamInterface<LongestNameRow> {};

TEST_P(EnumSubKeyTable, NeedsRoomForTheNameAndItsNulInUnits) {
  const std::string& longest = GetParam().keyName;
  Create(longest);
  std::string name = "untouched";
  EXPECT_EQ(kErrorMoreData, Port().EnumSubKey(m_scratch, 0, 255, &name));
  EXPECT_EQ(kErrorSuccess, Port().EnumSubKey(m_scratch, 0, 256, &name));
  EXPECT_EQ(longest, name);
}

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// "𝄞" takes two units and four bytes: the capacity counts neither bytes nor
// characters.
INSTANTIATE_TEST_SUITE_P(Names, EnumSubKeyTable,
                         ::testing::Values(LongestNameRow{"ascii", std::string(255, 'k')},
                                           LongestNameRow{"outside the BMP",
                                                          Repeated("𝄞", 127) + "k"},
                                           LongestNameRow{"hangul", Repeated("한", 255)}),
                         RowName());

TEST_F(RegistryContract, QueryValueGivesTheStoredTypeAndBytes) {
  Set("text", platform::kRegSz, std::string("abc\0", 4));
  Set("number", platform::kRegDword, std::string("\x02\x01\x00\x00", 4));
  Set("bytes", 3, std::string("a\0b", 3));  // REG_BINARY
  unsigned long type = 0;
  EXPECT_EQ(std::string("abc\0", 4), Query(m_scratch, "text", 256, &type));
  EXPECT_EQ(platform::kRegSz, type);
  EXPECT_EQ(std::string("\x02\x01\x00\x00", 4), Query(m_scratch, "number", 256, &type));
  EXPECT_EQ(platform::kRegDword, type);
  EXPECT_EQ(std::string("a\0b", 3), Query(m_scratch, "bytes", 256, &type));
  EXPECT_EQ(3u, type);
  EXPECT_EQ(kNotFound, Query(m_scratch, "absent"));
}

TEST_F(RegistryContract, QueryValueFailsWithMoreDataExactlyWhenTheDataExceedsTheCapacity) {
  const std::string text = std::string(255, 't') + '\0';
  Set("text", platform::kRegSz, text);
  // TRUSTEDPATHS' limit: 12,999 units and the NUL, three times the bytes.
  const std::string wide = Repeated("한", 12999) + '\0';
  Set("wide", platform::kRegExpandSz, wide);
  Set("bytes", 3, std::string(13000, 'b'));
  unsigned long type = 0;
  EXPECT_EQ(text, Query(m_scratch, "text", 256));
  EXPECT_EQ(kMoreData, Query(m_scratch, "text", 255, &type));
  EXPECT_EQ(platform::kRegSz, type);
  EXPECT_EQ(wide, Query(m_scratch, "wide", 13000));
  EXPECT_EQ(kMoreData, Query(m_scratch, "wide", 12999));
  // Other data fills the units' bytes.
  EXPECT_EQ(std::string(13000, 'b'), Query(m_scratch, "bytes", 6500));
  EXPECT_EQ(kMoreData, Query(m_scratch, "bytes", 6499));
}

TEST_F(RegistryContract, SetValueReplacesTypeAndData) {
  Set("v", platform::kRegSz, std::string("a long first text\0", 18));
  Set("v", platform::kRegDword, std::string("\x01\x00\x00\x00", 4));
  unsigned long type = 0;
  EXPECT_EQ(std::string("\x01\x00\x00\x00", 4), Query(m_scratch, "v", 256, &type));
  EXPECT_EQ(platform::kRegDword, type);
}

// Hangul and "ß" have no place in code page 936; "中文" has.
const std::u16string kForeignText(u"D:\\한글\\plugins;E:\\Straße", 24);
const std::u16string kChineseText(u"C:\\中文\0", 6);

TEST_F(RegistryContract, WideTextReadsBackAsStoredWithItsType) {
  const std::u16string multi(u"a\0한\0\0", 5);
  ASSERT_EQ(kErrorSuccess, Port().SetWideValue(m_scratch, "sz", platform::kRegSz, kForeignText));
  ASSERT_EQ(kErrorSuccess, Port().SetWideValue(m_scratch, "expand", platform::kRegExpandSz,
                                               std::u16string(u"%T%\0", 4)));
  ASSERT_EQ(kErrorSuccess, Port().SetWideValue(m_scratch, "multi", platform::kRegMultiSz, multi));
  unsigned long type = 0;
  EXPECT_EQ(kForeignText, QueryWide("sz", 256, &type));
  EXPECT_EQ(platform::kRegSz, type);
  EXPECT_EQ(std::u16string(u"%T%\0", 4), QueryWide("expand", 256, &type));
  EXPECT_EQ(platform::kRegExpandSz, type);
  EXPECT_EQ(multi, QueryWide("multi", 256, &type));
  EXPECT_EQ(platform::kRegMultiSz, type);
  EXPECT_EQ(u"error " + std::u16string(u"2"), QueryWide("absent"));
}

TEST_F(RegistryContract, TextCrossesBetweenTheUtf8AndTheWideCalls) {
  Set("utf8", platform::kRegSz, std::string("C:\\中文\0", 10));
  EXPECT_EQ(kChineseText, QueryWide("utf8"));
  ASSERT_EQ(kErrorSuccess, Port().SetWideValue(m_scratch, "wide", platform::kRegSz, kForeignText));
  EXPECT_EQ(std::string("D:\\한글\\plugins;E:\\Straße") + '\0', Query(m_scratch, "wide"));
}

TEST_F(RegistryContract, StoredTextWithALoneSurrogateIsRefusedNotReplaced) {
  ASSERT_EQ(kErrorSuccess,
            Port().SetWideValue(m_scratch, "v", platform::kRegSz, std::u16string(u"a\xD800\0", 3)));
  EXPECT_EQ("error " + std::to_string(kErrorNoUnicodeTranslation), Query(m_scratch, "v"));
}

class RegistryForeignNameTable : public RegistryContract,
                                 public ::testing::WithParamInterface<TextRow> {};

// No code page holds Chinese, Hangul and "𝄞" together.
TEST_P(RegistryForeignNameTable, KeyValueNameAndTextReadBackExactly) {
  const std::string& text = GetParam().text;
  const std::string data = "D:\\" + text + '\0';
  platform::RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, text + "\\" + text, &key));
  EXPECT_EQ(kErrorSuccess, Port().SetValue(key, text, platform::kRegSz, data));
  Port().CloseKey(key);

  EXPECT_EQ((std::vector<std::string>{text}), Names(m_scratch));
  platform::RegKey read = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, text + "\\" + text, &read));
  EXPECT_EQ(data, Query(read, text));
  Port().CloseKey(read);
  EXPECT_EQ(kErrorSuccess, Port().DeleteKey(m_scratch, text + "\\" + text));
  EXPECT_EQ(kErrorSuccess, Port().DeleteKey(m_scratch, text));
  EXPECT_TRUE(Names(m_scratch).empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, RegistryForeignNameTable, ForeignTextRows(), RowName());

// A surrogate written in UTF-8, which no well-formed text holds.
const std::string kIllFormed = "bad\xED\xA0\x80";

struct IllFormedRow {
  const char* name;  // the call
  PRINTS_ROW_NAME(IllFormedRow)
};

// The call a row names below `scratch`, with ill-formed text where the row
// says: its result.
long CallWithText(platform::RegistryPort& port, const std::string& call, platform::RegKey scratch) {
  platform::RegKey key = 0;
  std::string data;
  unsigned long type = 0;
  const std::string nul(1, '\0');
  if (call == "create key") return port.CreateKey(scratch, kIllFormed, &key);
  if (call == "open key") return port.OpenKeyForRead(scratch, kIllFormed, &key);
  if (call == "delete key") return port.DeleteKey(scratch, kIllFormed);
  if (call == "value name") return port.SetValue(scratch, kIllFormed, platform::kRegSz, "x" + nul);
  if (call == "wide value name") {
    return port.SetWideValue(scratch, kIllFormed, platform::kRegSz, std::u16string(u"x\0", 2));
  }
  if (call == "query name") return port.QueryValue(scratch, kIllFormed, 256, &data, &type);
  if (call == "hive name") return port.LoadHive(kIllFormed, "C:\\NTUSER.DAT");
  if (call == "hive file") return port.LoadHive("SetupContract", "C:\\" + kIllFormed);
  if (call == "unloaded hive") return port.UnloadHive(kIllFormed);
  if (call == "text") return port.SetValue(scratch, "bad", platform::kRegSz, kIllFormed + nul);
  if (call == "overlong text") {
    return port.SetValue(scratch, "bad", platform::kRegExpandSz, "\xC0\xAF" + nul);
  }
  return port.SetValue(scratch, "bad", platform::kRegMultiSz, "a" + nul + "\xFF" + nul + nul);
}

class RegistryIllFormedTable : public RegistryContract,
                               public ::testing::WithParamInterface<IllFormedRow> {};

// Nothing is created under another name, nor found by one.
TEST_P(RegistryIllFormedTable, TextThatIsNotUtf8IsRefusedAndWritesNothing) {
  Set("bad", platform::kRegSz, std::string("kept\0", 5));
  EXPECT_EQ(kErrorNoUnicodeTranslation, CallWithText(Port(), GetParam().name, m_scratch));
  EXPECT_TRUE(Names(m_scratch).empty());
  EXPECT_EQ(std::string("kept\0", 5), Query(m_scratch, "bad"));
  EXPECT_EQ(kNotFound, Query(m_scratch, "bad\uFFFD"));
}

INSTANTIATE_TEST_SUITE_P(Calls, RegistryIllFormedTable,
                         ::testing::Values(IllFormedRow{"create key"}, IllFormedRow{"open key"},
                                           IllFormedRow{"delete key"}, IllFormedRow{"value name"},
                                           IllFormedRow{"wide value name"},
                                           IllFormedRow{"query name"}, IllFormedRow{"hive name"},
                                           IllFormedRow{"hive file"}, IllFormedRow{"unloaded hive"},
                                           IllFormedRow{"text"}, IllFormedRow{"overlong text"},
                                           IllFormedRow{"multi text"}),
                         RowName());

TEST_F(RegistryContract, OtherDataReadsThroughTheWideCallAsItsBytesInPairs) {
  Set("number", platform::kRegDword, std::string("\x02\x01\x00\x00", 4));
  unsigned long type = 0;
  EXPECT_EQ(std::u16string(u"\x0102\0", 2), QueryWide("number", 256, &type));
  EXPECT_EQ(platform::kRegDword, type);
}

TEST_F(RegistryContract, QueryWideValueFailsWithMoreDataExactlyWhenTheUnitsExceedTheCapacity) {
  const std::u16string text = std::u16string(12999, u'한') + u'\0';
  ASSERT_EQ(kErrorSuccess, Port().SetWideValue(m_scratch, "long", platform::kRegExpandSz, text));
  unsigned long type = 0;
  EXPECT_EQ(text, QueryWide("long", 13000));
  EXPECT_EQ(u"error " + std::u16string(u"234"), QueryWide("long", 12999, &type));
  EXPECT_EQ(platform::kRegExpandSz, type);
}

TEST_F(RegistryContract, AKeyOpenedForReadingTakesNoValue) {
  platform::RegKey read = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, "", &read));
  EXPECT_EQ(kErrorAccessDenied,
            Port().SetValue(read, "v", platform::kRegSz, std::string("x\0", 2)));
  EXPECT_EQ(kErrorAccessDenied,
            Port().SetWideValue(read, "v", platform::kRegSz, std::u16string(u"x\0", 2)));
  Port().CloseKey(read);
  EXPECT_EQ(kNotFound, Query(m_scratch, "v"));
}

TEST_F(RegistryContract, DeleteKeyRemovesOnlyAKeyWithoutSubKeysAndItsValues) {
  Create("parent\\child");
  EXPECT_EQ(kErrorAccessDenied, Port().DeleteKey(m_scratch, "parent"));
  EXPECT_EQ(kErrorSuccess, OpenResult("parent\\child"));

  platform::RegKey child = 0;
  ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, "parent\\child", &child));
  Port().SetValue(child, "v", platform::kRegSz, std::string("x\0", 2));
  Port().CloseKey(child);
  EXPECT_EQ(kErrorSuccess, Port().DeleteKey(m_scratch, "PARENT\\child"));
  EXPECT_EQ(kErrorSuccess, Port().DeleteKey(m_scratch, "parent"));
  EXPECT_EQ(kErrorFileNotFound, OpenResult("parent"));
  EXPECT_EQ(kErrorFileNotFound, Port().DeleteKey(m_scratch, "parent"));

  ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, "parent\\child", &child));
  EXPECT_EQ(kNotFound, Query(child, "v"));
  Port().CloseKey(child);
}

TEST_F(RegistryContract, AHandleOfADeletedKeyFailsButStillCloses) {
  platform::RegKey gone = 0;
  ASSERT_EQ(kErrorSuccess, Port().CreateKey(m_scratch, "gone", &gone));
  ASSERT_EQ(kErrorSuccess, Port().DeleteKey(m_scratch, "gone"));
  EXPECT_EQ(kErrorKeyDeleted, Port().SetValue(gone, "v", platform::kRegSz, std::string("x\0", 2)));
  EXPECT_EQ("error " + std::to_string(kErrorKeyDeleted), Query(gone, "v"));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(gone));
}

struct ViewRow {
  const char* name;
  platform::RegKey root;
  platform::RegKey otherRoot;
  PRINTS_ROW_NAME(ViewRow)
};

class RegistryViewTable : public RegistryContract, public ::testing::WithParamInterface<ViewRow> {
 protected:
  void TearDown() override {
    DeleteTree(GetParam().root, m_underTest->ScratchPath());
    RegistryContract::TearDown();
  }

  long OpenResultBelow(platform::RegKey root) {
    platform::RegKey key = 0;
    const long result = Port().OpenKeyForRead(root, m_underTest->ScratchPath(), &key);
    if (result == kErrorSuccess) Port().CloseKey(key);
    return result;
  }
};

// The process's own view is that of its bitness. A 32-bit process on 64-bit
// Windows sees a key of the 64-bit view through that view root only; a
// 64-bit process finds one of the 32-bit view only below Wow6432Node. With
// one view, there is no 64-bit view: nothing is found or created below it.
TEST_P(RegistryViewTable, AKeyBelowAViewRootIsInThatView) {
  const ViewRow& row = GetParam();
  const std::string path = m_underTest->ScratchPath();
  const bool separate = m_underTest->SeparateViews();
  const long elsewhere = separate ? kErrorFileNotFound : kErrorSuccess;
  platform::RegKey key = 0;
  if (!separate && row.root == platform::kHKeyLocalMachine64) {
    EXPECT_EQ(kErrorFileNotFound, Port().CreateKey(row.root, path, &key));
    EXPECT_EQ(kErrorFileNotFound, OpenResultBelow(row.root));
    EXPECT_EQ(kErrorFileNotFound, Port().DeleteKey(row.root, path));
    return;
  }
  ASSERT_EQ(kErrorSuccess, Port().CreateKey(row.root, path, &key));
  EXPECT_EQ(kErrorSuccess, Port().SetValue(key, "v", platform::kRegSz, std::string("x\0", 2)));
  Port().CloseKey(key);

  EXPECT_EQ(kErrorSuccess, OpenResultBelow(row.root));
  EXPECT_EQ(kErrorSuccess, Port().ProbeWrite(row.root, path));
  ASSERT_EQ(kErrorSuccess, Port().OpenKey(row.root, path, &key));
  EXPECT_EQ(std::string("x\0", 2), Query(key, "v"));
  Port().CloseKey(key);
  const bool ownView = row.root == (sizeof(void*) == 8 ? platform::kHKeyLocalMachine64
                                                       : platform::kHKeyLocalMachine32);
  EXPECT_EQ(ownView ? kErrorSuccess : elsewhere, OpenResultBelow(platform::kHKeyLocalMachine));
  // The other view does not hold it: a separate tree, or with one view the
  // 64-bit view that is not there.
  EXPECT_EQ(kErrorFileNotFound, OpenResultBelow(row.otherRoot));

  EXPECT_EQ(kErrorSuccess, Port().DeleteKey(row.root, path));
  EXPECT_EQ(kErrorFileNotFound, OpenResultBelow(row.root));
}

INSTANTIATE_TEST_SUITE_P(Views, RegistryViewTable,
                         ::testing::Values(ViewRow{"view 32", platform::kHKeyLocalMachine32,
                                                   platform::kHKeyLocalMachine64},
                                           ViewRow{"view 64", platform::kHKeyLocalMachine64,
                                                   platform::kHKeyLocalMachine32}),
                         RowName());

class RegistryHiveContract : public RegistryContract {
 protected:
  void SetUp() override {
    RegistryContract::SetUp();
    const std::string scratch = m_underTest->ScratchPath();
    m_name = "SetupContract-" + scratch.substr(scratch.rfind('\\') + 1);
    m_file = m_underTest->NewHiveFile();
    ASSERT_FALSE(m_file.empty());
    ASSERT_EQ(kErrorSuccess, Port().LoadHive(m_name, m_file));
    platform::RegKey key = 0;
    ASSERT_EQ(kErrorSuccess, Port().CreateKey(platform::kHKeyUsers, m_name + "\\Software", &key));
    EXPECT_EQ(kErrorSuccess, Port().SetValue(key, "v", platform::kRegSz, kHiveText));
    Port().CloseKey(key);
  }

  // A test that left out a part is reported as skipped, with the reasons.
  void TearDown() override {
    Port().UnloadHive(m_name);
    RegistryContract::TearDown();
    if (!m_leftOut.empty()) GTEST_SKIP() << m_leftOut;
  }

  // The value written below the hive `name`, or the failure's code.
  std::string HiveValue(const std::string& name) {
    platform::RegKey key = 0;
    const long result = Port().OpenKeyForRead(platform::kHKeyUsers, name + "\\Software", &key);
    if (result != kErrorSuccess) return "error " + std::to_string(result);
    const std::string value = Query(key, "v");
    Port().CloseKey(key);
    return value;
  }

  // Whether the registry does not do what `behaviour` names: the part of a
  // test that checks it is left out.
  bool Lacks(const char* behaviour) {
    const std::string gap = m_underTest->HiveGap(behaviour);
    if (!gap.empty()) m_leftOut += std::string(behaviour) + ": " + gap + ". ";
    return !gap.empty();
  }

  const std::string kHiveText = std::string("D:\\한글\\plugins") + '\0';
  std::string m_name;
  std::string m_file;
  std::string m_leftOut;
};

// A user's hive loaded for one step and unloaded, then loaded again later.
TEST_F(RegistryHiveContract, ALoadedHiveIsBelowUsersUntilUnloadedAndKeepsWhatWasWritten) {
  EXPECT_EQ(kHiveText, HiveValue(m_name));
  if (!Lacks(kOpenKeyBlocksUnload)) {
    platform::RegKey open = 0;
    ASSERT_EQ(kErrorSuccess,
              Port().OpenKeyForRead(platform::kHKeyUsers, m_name + "\\Software", &open));
    EXPECT_EQ(kErrorAccessDenied, Port().UnloadHive(m_name));
    Port().CloseKey(open);
  }
  EXPECT_EQ(kErrorSuccess, Port().UnloadHive(m_name));
  EXPECT_EQ(kNotFound, HiveValue(m_name));
  EXPECT_EQ(kErrorFileNotFound, Port().UnloadHive(m_name));

  ASSERT_EQ(kErrorSuccess, Port().LoadHive(m_name, m_file));
  if (Lacks(kKeptAtUnload)) return;
  EXPECT_EQ(kHiveText, HiveValue(m_name));
}

struct SecondLoadRow {
  const char* name;
  const char* behaviour;
  bool sameFile;  // the loaded file again, under another name; or another file under its name
  long error;
  PRINTS_ROW_NAME(SecondLoadRow)
};

class SecondLoadTable : public RegistryHiveContract,
                        public ::testing::WithParamInterface<SecondLoadRow> {};

TEST_P(SecondLoadTable, FailsAndLeavesTheLoadedHiveAsItWas) {
  const SecondLoadRow& row = GetParam();
  if (Lacks(row.behaviour)) return;
  const std::string name = row.sameFile ? m_name + "-again" : m_name;
  const std::string file = row.sameFile ? m_file : m_underTest->NewHiveFile();
  EXPECT_EQ(row.error, Port().LoadHive(name, file));
  EXPECT_EQ(kHiveText, HiveValue(m_name));
  if (row.sameFile) {
    EXPECT_EQ(kNotFound, HiveValue(name));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Hives, SecondLoadTable,
    ::testing::Values(SecondLoadRow{"file in use", kLoadedFileInUse, true, kErrorSharingViolation},
                      SecondLoadRow{"name taken", kLoadedNameTaken, false, kErrorAlreadyExists}),
    RowName());

TEST_F(RegistryContract, AClosedHandleCannotBeClosedAgain) {
  platform::RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, Port().OpenKeyForRead(m_scratch, "", &key));
  EXPECT_EQ(kErrorSuccess, Port().CloseKey(key));
  EXPECT_EQ(kErrorInvalidHandle, Port().CloseKey(key));
}

}  // namespace
