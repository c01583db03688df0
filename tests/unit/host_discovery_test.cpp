#include "discovery/host_discovery.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/installations.h"
#include "support/fake_platform.h"

namespace {

using discovery::FindInstallations;

using Entry = std::pair<std::string, std::string>;  // key path, folder
using Entries = std::vector<Entry>;

constexpr char kBase[] = "SOFTWARE\\Autodesk\\AutoCAD\\";
constexpr char kWowBase[] = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\";

class HostDiscoveryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(0, Registry().OpenHandleCount());
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      EXPECT_EQ(m_state.ProductKeys(year).size(), m_state.HostFolders(year).size()) << year;
    }
  }

  FakeRegistry& Registry() { return m_fake.registry; }

  void AddInstallation(const std::string& path, const std::string& folder,
                       const std::string& productName) {
    Registry().SetString(platform::kHKeyLocalMachine, path, "AcadLocation", folder);
    Registry().SetString(platform::kHKeyLocalMachine, path, "ProductName", productName);
  }

  void AddInstallationInBothViews() {
    AddInstallation(std::string(kWowBase) + "R17.0", "C:\\Wow", "AutoCAD 2007");
    AddInstallation(std::string(kBase) + "R17.0", "C:\\Native", "AutoCAD 2007");
  }

  Entries EntriesOf(int year) const {
    Entries entries;
    for (std::size_t i = 0; i < m_state.ProductKeys(year).size(); ++i) {
      entries.emplace_back(m_state.ProductKeys(year)[i], m_state.HostFolders(year)[i]);
    }
    return entries;
  }

  std::size_t EntryCount() const {
    std::size_t count = 0;
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      count += m_state.HostFolders(year).size();
    }
    return count;
  }

  FakePlatform m_fake;
  base::Installations m_state;
};

// The year a single installation with this product name is recorded for, 0
// for none.
int RecordedYear(const std::string& productName) {
  FakePlatform fake;
  base::Installations state;
  fake.registry.SetString(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R1",
                          "AcadLocation", "C:\\Acad");
  fake.registry.SetString(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R1",
                          "ProductName", productName);
  state = FindInstallations(fake.registry);
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (!state.HostFolders(year).empty()) return year;
  }
  return 0;
}

TEST_F(HostDiscoveryTest, WithoutTheBaseKeysEveryListStaysEmpty) {
  Registry().AddKey(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD LT\\R18.0");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ(0u, EntryCount());
}

TEST_F(HostDiscoveryTest, AReleaseKeyHoldingBothValuesIsOneInstallationAndHidesItsSubKeys) {
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.0", "C:\\Acad2010", "AutoCAD 2010");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804", "D:\\Other", "AutoCAD 2010");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{"SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\", "C:\\Acad2010"}}), EntriesOf(2010));
  EXPECT_EQ(1u, EntryCount());
}

TEST_F(HostDiscoveryTest, ProductsOfOneYearFollowTheEnumerationOrder) {
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804", "C:\\Zh",
                  "AutoCAD 2014 中文");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D000:409", "C:\\En", "AutoCAD 2014");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{"SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\", "C:\\Zh"},
                     {"SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D000:409\\", "C:\\En"}}),
            EntriesOf(2014));
}

TEST_F(HostDiscoveryTest, BothValuesMustStandInTheSameKey) {
  // The folder in a product key, the name only in a key below it.
  Registry().SetString(platform::kHKeyLocalMachine,
                       "SOFTWARE\\Autodesk\\AutoCAD\\R17.0\\ACAD-5001:804", "AcadLocation",
                       "C:\\Acad2007");
  Registry().SetString(platform::kHKeyLocalMachine,
                       "SOFTWARE\\Autodesk\\AutoCAD\\R17.0\\ACAD-5001:804\\Below", "ProductName",
                       "AutoCAD 2007");
  // A name in the release key hides the complete pair in the key below it.
  Registry().SetString(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R17.1",
                       "ProductName", "AutoCAD 2008");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804", "C:\\Acad2008",
                  "AutoCAD 2008");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ(0u, EntryCount());
}

TEST_F(HostDiscoveryTest, TheYearIsTheFirstInAscendingOrderFoundAfterTheFirstByte) {
  EXPECT_EQ(2007, RecordedYear("AutoCAD 2007"));
  EXPECT_EQ(2025, RecordedYear("AutoCAD 2025"));
  EXPECT_EQ(2008, RecordedYear("AutoCAD 2010 (2008 format)"));
  EXPECT_EQ(0, RecordedYear("2015 AutoCAD 2015"));
  EXPECT_EQ(2016, RecordedYear("2015 AutoCAD 2016"));
  EXPECT_EQ(0, RecordedYear("AutoCAD 2026"));
  EXPECT_EQ(0, RecordedYear("AutoCAD 2006"));
  EXPECT_EQ(0, RecordedYear("AutoCAD"));
}

TEST_F(HostDiscoveryTest, TheWow6432NodeScanTriesOnly2007And2008) {
  AddInstallation("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R17.2\\ACAD-7001:804", "C:\\Acad2009",
                  "AutoCAD 2009");
  AddInstallation("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804", "C:\\Acad2008",
                  "AutoCAD 2008");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{std::string(kWowBase) + "R17.1\\ACAD-6001:804\\", "C:\\Acad2008"}}),
            EntriesOf(2008));
  EXPECT_EQ(1u, EntryCount());
}

TEST_F(HostDiscoveryTest, AnInstallationSeenInBothViewsIsRecordedTwiceWow6432NodeFirst) {
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R17.0\\ACAD-5001:804", "C:\\Acad2007",
                  "AutoCAD 2007");
  AddInstallation("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R17.0\\ACAD-5001:804", "C:\\Acad2007",
                  "AutoCAD 2007");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{std::string(kWowBase) + "R17.0\\ACAD-5001:804\\", "C:\\Acad2007"},
                     {std::string(kBase) + "R17.0\\ACAD-5001:804\\", "C:\\Acad2007"}}),
            EntriesOf(2007));
}

TEST_F(HostDiscoveryTest, AValueLongerThan256BytesCountsAsAbsentAndTheWalkDescends) {
  const std::string tooLong(256, 'x');  // 257 bytes with the NUL
  const std::string longest(255, 'y');  // 256 bytes with the NUL
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.0", tooLong, "AutoCAD 2010");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804", longest, "AutoCAD 2010");
  m_state = FindInstallations(m_fake.registry);
  // The location walk finds the key below, the name walk the release key.
  EXPECT_EQ(0u, EntryCount());

  Registry().SetString(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0",
                       "ProductName", std::string(256, 'n'));
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{std::string(kBase) + "R18.0\\ACAD-8001:804\\", longest}}), EntriesOf(2010));
}

TEST_F(HostDiscoveryTest, ValuesAreTakenUnchangedUpToTheirFirstNulWhateverTheirType) {
  const std::string deep = "SOFTWARE\\Autodesk\\AutoCAD\\R20.0\\ACAD-E001:804\\Sub";
  AddInstallation(deep, "C:\\Program Files\\AutoCAD 2015\\", "AutoCAD 2015");
  Registry().SetRaw(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R20.1",
                    "AcadLocation", 2,
                    std::string("%ProgramFiles%\\AutoCAD 2016\0", 29));  // REG_EXPAND_SZ
  Registry().SetRaw(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R20.1",
                    "ProductName", 3, std::string("AutoCAD 2016\0AutoCAD 2007", 25));  // REG_BINARY
  Registry().SetRaw(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R21.0",
                    "AcadLocation", platform::kRegSz, "C:\\NoNul");
  Registry().SetString(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R21.0",
                       "ProductName", "AutoCAD 2017");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{deep + "\\", "C:\\Program Files\\AutoCAD 2015\\"}}), EntriesOf(2015));
  EXPECT_EQ((Entries{{std::string(kBase) + "R20.1\\", "%ProgramFiles%\\AutoCAD 2016"}}),
            EntriesOf(2016));
  EXPECT_EQ((Entries{{std::string(kBase) + "R21.0\\", "C:\\NoNul"}}), EntriesOf(2017));
  EXPECT_EQ(3u, EntryCount());
}

TEST_F(HostDiscoveryTest, KeysThatCannotBeOpenedOrReadAreSkipped) {
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804", "C:\\Acad2010",
                  "AutoCAD 2010");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804", "C:\\Acad2011",
                  "AutoCAD 2011");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R18.2\\ACAD-A001:804", "C:\\Acad2012",
                  "AutoCAD 2012");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R19.0", "C:\\Acad2013", "AutoCAD 2013");
  AddInstallation("SOFTWARE\\Autodesk\\AutoCAD\\R19.0\\ACAD-B001:804", "C:\\Below2013",
                  "AutoCAD 2013");
  Registry().Fail(Fault("OpenKeyForRead", KeyName(platform::kHKeyLocalMachine,
                                                  "SOFTWARE\\Autodesk\\AutoCAD\\R18.0")));
  Registry().Fail(Fault(
      "OpenKeyForRead",
      KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804")));
  Registry().Fail(Fault(
      "EnumSubKey", KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.2")));
  // A value that cannot be read counts as absent: the walk goes below.
  Registry().Fail(Fault("QueryValue",
                        KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R19.0"))
                      .Value("AcadLocation"));
  Registry().Fail(Fault("QueryValue",
                        KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R19.0"))
                      .Value("ProductName"));
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{std::string(kBase) + "R19.0\\ACAD-B001:804\\", "C:\\Below2013"}}),
            EntriesOf(2013));
  EXPECT_EQ(1u, EntryCount());
}

TEST_F(HostDiscoveryTest, AFailingBaseKeyOrSubKeyCountEndsThatScanOnly) {
  AddInstallationInBothViews();
  const Entries wow = {{std::string(kWowBase) + "R17.0\\", "C:\\Wow"}};
  Registry().Fail(
      Fault("CountSubKeys", KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD"))
          .Once());
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ(wow, EntriesOf(2007));

  Registry().Fail(Fault("OpenKeyForRead", KeyName(platform::kHKeyLocalMachine,
                                                  "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD"))
                      .Once());
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ(1u, EntryCount());
  EXPECT_NE(wow, EntriesOf(2007));
}

TEST_F(HostDiscoveryTest, AFailingRootEndsBothScans) {
  AddInstallationInBothViews();
  Registry().Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, "")));
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ(0u, EntryCount());
}

TEST_F(HostDiscoveryTest, NamesAndPrefixesThatDoNotFitTheirBuffersAreSkipped) {
  const std::string fits(232, 'r');     // prefix of 259 bytes
  const std::string tooLong(233, 's');  // prefix of 260 bytes
  const std::string nameOf255(255, 'p');
  const std::string nameOf256(256, 'q');  // longer than the registry allows
  AddInstallation(std::string(kBase) + fits, "C:\\Fits", "AutoCAD 2018");
  AddInstallation(std::string(kBase) + tooLong, "C:\\TooLong", "AutoCAD 2018");
  AddInstallation(std::string(kBase) + "R23.0\\" + nameOf256, "C:\\Unnamed", "AutoCAD 2019");
  AddInstallation(std::string(kBase) + "R23.0\\" + nameOf255, "C:\\Named", "AutoCAD 2019");
  m_state = FindInstallations(m_fake.registry);
  EXPECT_EQ((Entries{{std::string(kBase) + fits + "\\", "C:\\Fits"}}), EntriesOf(2018));
  EXPECT_EQ((Entries{{std::string(kBase) + "R23.0\\" + nameOf255 + "\\", "C:\\Named"}}),
            EntriesOf(2019));
  EXPECT_EQ(2u, EntryCount());
}

}  // namespace
