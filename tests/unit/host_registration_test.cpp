#include "install/host_registration.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/installations.h"
#include "install/trusted_paths.h"
#include "support/fake_platform.h"
#include "support/table_rows.h"
#include "support/test_values.h"

namespace {

using Value = FakeRegistry::Value;
using WideValue = FakeRegistry::WideValue;

constexpr char kInstallDir[] = "C:\\Brenix\\B-PlotSweep";
const std::u16string kWideInstallDir = u"C:\\Brenix\\B-PlotSweep";
const std::u16string kUpperInstallDir = u"C:\\BRENIX\\B-PLOTSWEEP";

Value Sz(const std::string& text) { return Value{platform::kRegSz, text + '\0'}; }
WideValue WideSz(const std::u16string& text, unsigned long type = platform::kRegSz) {
  return WideValue{type, text + u'\0'};
}
Value Dword(char lowByte) {
  return Value{platform::kRegDword, std::string(1, lowByte) + std::string(3, '\0')};
}

std::string Variables(const std::string& release, const std::string& product,
                      const std::string& profile) {
  return "SOFTWARE\\Autodesk\\AutoCAD\\" + release + "\\" + product + "\\Profiles\\" + profile +
         "\\Variables";
}

class HostRegistrationTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0, Registry().OpenHandleCount()); }

  FakeRegistry& Registry() { return m_fake.registry; }

  // An installation found by discovery, with its product key in place.
  void Discover(int year, const std::string& productKey, const std::string& folder) {
    Registry().AddKey(platform::kHKeyLocalMachine, productKey);
    m_installations.ProductKeys(year).push_back(productKey + "\\");
    m_installations.HostFolders(year).push_back(folder);
  }

  void Register(std::initializer_list<int> tickedYears) {
    install::RegisterDemandLoad(m_fake.registry, m_installations, TicksFor(tickedYears),
                                m_installFolder);
  }

  void Trust() { install::TrustInstallFolder(m_fake.registry, m_installFolder); }

  std::optional<Value> Machine(const std::string& path, const std::string& name) {
    return Registry().GetValue(platform::kHKeyLocalMachine, path, name);
  }
  std::optional<WideValue> Trusted(const std::string& variablesKey) {
    return Registry().GetWideValue(platform::kHKeyCurrentUser, variablesKey, "TRUSTEDPATHS");
  }

  FakePlatform m_fake;
  base::Installations m_installations;
  std::string m_installFolder = kInstallDir;
};

// A module or library file of the payload, with the releases it serves.
struct FileUse {
  int fileYear;
  std::vector<int> releases;
};

const FileUse kModules[] = {
    {2008, {2007, 2008}}, {2009, {2009}},       {2010, {2010, 2011, 2012}},
    {2013, {2013, 2014}}, {2015, {2015, 2016}}, {2017, {2017}},
    {2018, {2018}},       {2019, {2019, 2020}}, {2021, {2021, 2022, 2023, 2024}},
    {2025, {2025}},
};
const FileUse kLibraries[] = {
    {2007, {2007, 2008}},
    {2009, {2009}},
    {2010, {2010, 2011, 2012}},
    {2013, {2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025}},
};

// The year in the name of the file that serves `release`; 0 when none does.
template <std::size_t N>
int FileYearServing(const FileUse (&uses)[N], int release) {
  for (const FileUse& use : uses) {
    for (int served : use.releases) {
      if (served == release) return use.fileYear;
    }
  }
  return 0;
}

TEST_F(HostRegistrationTest, EveryReleaseRegistersItsOwnKeysWithItsModuleAndLibraryYears) {
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    const std::string text = std::to_string(year);
    Discover(year, "SOFTWARE\\Autodesk\\AutoCAD\\R" + text + "\\ACAD:804", "D:\\Acad" + text);
  }
  Register({2007, 2008, 2009, 2010, 2011, 2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020,
            2021, 2022, 2023, 2024, 2025});

  for (int releaseYear = base::kFirstReleaseYear; releaseYear <= base::kLastReleaseYear;
       ++releaseYear) {
    const std::string year = std::to_string(releaseYear);
    SCOPED_TRACE(year);
    const std::string applications =
        "SOFTWARE\\Autodesk\\AutoCAD\\R" + year + "\\ACAD:804\\Applications";
    const std::string native = applications + "\\BX_PlotSweep" + year;
    const std::string managed = applications + "\\Brenix" + year + "DLLP";
    EXPECT_EQ((base::TextList{"BX_PlotSweep" + year, "Brenix" + year + "DLLP"}),
              Registry().SubKeyNames(platform::kHKeyLocalMachine, applications));
    EXPECT_EQ((base::TextList{"LOADCTRLS", "LOADER"}),
              Registry().ValueNames(platform::kHKeyLocalMachine, native));
    EXPECT_EQ(Dword(2), Machine(native, "LOADCTRLS"));
    EXPECT_EQ(Sz("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep" +
                 std::to_string(FileYearServing(kModules, releaseYear)) + ".ARX"),
              Machine(native, "LOADER"));
    EXPECT_EQ((base::TextList{"LOADCTRLS", "LOADER", "MANAGED"}),
              Registry().ValueNames(platform::kHKeyLocalMachine, managed));
    EXPECT_EQ(Dword(2), Machine(managed, "LOADCTRLS"));
    EXPECT_EQ(Sz("D:\\Acad" + year + "\\ACAD" +
                 std::to_string(FileYearServing(kLibraries, releaseYear)) + "P.dll"),
              Machine(managed, "LOADER"));
    EXPECT_EQ(Dword(1), Machine(managed, "MANAGED"));
  }
}

TEST_F(HostRegistrationTest, EachInstallationOfAReleaseGetsBothKeysWithItsOwnHostFolder) {
  Discover(2014, "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804", "C:\\Acad A");
  Discover(2014, "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D000:409", "D:\\Acad B\\");
  Register({2014});
  const std::string first = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Applications\\";
  const std::string second = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D000:409\\Applications\\";
  EXPECT_EQ(Sz("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2013.ARX"),
            Machine(first + "BX_PlotSweep2014", "LOADER"));
  EXPECT_EQ(Machine(first + "BX_PlotSweep2014", "LOADER"),
            Machine(second + "BX_PlotSweep2014", "LOADER"));
  EXPECT_EQ(Sz("C:\\Acad A\\ACAD2013P.dll"), Machine(first + "Brenix2014DLLP", "LOADER"));
  EXPECT_EQ(Sz("D:\\Acad B\\\\ACAD2013P.dll"), Machine(second + "Brenix2014DLLP", "LOADER"));
}

TEST_F(HostRegistrationTest, OnlyAnAbsoluteHostFolderGetsTheManagedLibraryKey) {
  struct Case {
    std::string product;
    std::string hostFolder;
    bool managed;
  };
  const Case kCases[] = {
      {"ACAD-D001:804", "", false},
      {"ACAD-D002:804", "Acad", false},
      {"ACAD-D003:804", "\\Acad", false},
      {"ACAD-D004:804", "C:Acad", false},
      {"ACAD-D005:804", "..\\Acad", false},
      {"ACAD-D006:804", "C:\\Acad", true},
      {"ACAD-D007:804", "\\\\srv\\acad", true},
  };
  const std::string release = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\";
  for (const Case& c : kCases) Discover(2014, release + c.product, c.hostFolder);
  Register({2014});

  for (const Case& c : kCases) {
    SCOPED_TRACE(c.product);
    const std::string applications = release + c.product + "\\Applications";
    const base::TextList expected = c.managed ? base::TextList{"BX_PlotSweep2014", "Brenix2014DLLP"}
                                              : base::TextList{"BX_PlotSweep2014"};
    EXPECT_EQ(expected, Registry().SubKeyNames(platform::kHKeyLocalMachine, applications));
    EXPECT_EQ(Sz("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2013.ARX"),
              Machine(applications + "\\BX_PlotSweep2014", "LOADER"));
  }
}

TEST_F(HostRegistrationTest, AnEarlierApplicationKeyIsReplacedUnlessItHasSubKeys) {
  const std::string product = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804";
  const std::string native = product + "\\Applications\\BX_PlotSweep2014";
  const std::string managed = product + "\\Applications\\Brenix2014DLLP";
  Discover(2014, product, "C:\\Acad");
  Registry().SetString(platform::kHKeyLocalMachine, native, "DESCRIPTION", "old");
  Registry().SetString(platform::kHKeyLocalMachine, native, "LOADER", "C:\\Old\\BX.ARX");
  Registry().SetString(platform::kHKeyLocalMachine, managed, "DESCRIPTION", "old");
  Registry().SetDword(platform::kHKeyLocalMachine, managed, "LOADCTRLS", 14);
  Registry().AddKey(platform::kHKeyLocalMachine, managed + "\\Commands");
  Register({2014});

  EXPECT_EQ((base::TextList{"LOADCTRLS", "LOADER"}),
            Registry().ValueNames(platform::kHKeyLocalMachine, native));
  EXPECT_EQ(Sz("C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2013.ARX"), Machine(native, "LOADER"));
  EXPECT_EQ((base::TextList{"DESCRIPTION", "LOADCTRLS", "LOADER", "MANAGED"}),
            Registry().ValueNames(platform::kHKeyLocalMachine, managed));
  EXPECT_EQ(Dword(2), Machine(managed, "LOADCTRLS"));
  EXPECT_EQ(Sz("C:\\Acad\\ACAD2013P.dll"), Machine(managed, "LOADER"));
}

TEST_F(HostRegistrationTest, RegistryFailuresSkipSilentlyWhatTheyConcern) {
  const std::string unopenable = "SOFTWARE\\Autodesk\\AutoCAD\\R20.0\\ACAD-E001:804";
  const std::string missing = "SOFTWARE\\Autodesk\\AutoCAD\\R20.0\\ACAD-E002:804";
  const std::string product = "SOFTWARE\\Autodesk\\AutoCAD\\R20.0\\ACAD-E003:804";
  Discover(2015, unopenable, "C:\\One");
  m_installations.ProductKeys(2015).push_back(missing + "\\");
  m_installations.HostFolders(2015).push_back("C:\\Two");
  Discover(2015, product, "C:\\Three");
  Registry().Fail(Fault("OpenKey", KeyName(platform::kHKeyLocalMachine, unopenable)));
  Registry().Fail(Fault("CreateKey", KeyName(platform::kHKeyLocalMachine,
                                             product + "\\Applications\\BX_PlotSweep2015")));
  Registry().Fail(Fault("SetValue", KeyName(platform::kHKeyLocalMachine,
                                            product + "\\Applications\\Brenix2015DLLP"))
                      .Value("LOADER"));
  Register({2015});

  EXPECT_TRUE(Registry().SubKeyNames(platform::kHKeyLocalMachine, unopenable).empty());
  EXPECT_FALSE(Registry().KeyExists(platform::kHKeyLocalMachine, missing));
  EXPECT_EQ((base::TextList{"Brenix2015DLLP"}),
            Registry().SubKeyNames(platform::kHKeyLocalMachine, product + "\\Applications"));
  EXPECT_EQ((base::TextList{"LOADCTRLS", "MANAGED"}),
            Registry().ValueNames(platform::kHKeyLocalMachine,
                                  product + "\\Applications\\Brenix2015DLLP"));
}

TEST_F(HostRegistrationTest, OnlyTickedAndDiscoveredReleasesGetApplicationKeys) {
  Discover(2010, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804", "C:\\Acad2010");
  Discover(2011, "SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804", "C:\\Acad2011");
  Register({2011, 2012});
  EXPECT_EQ(
      (base::TextList{"ACAD-8001:804"}),
      Registry().SubKeyNames(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0"));
  EXPECT_TRUE(Registry()
                  .SubKeyNames(platform::kHKeyLocalMachine,
                               "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804")
                  .empty());
  EXPECT_EQ(
      (base::TextList{"BX_PlotSweep2011", "Brenix2011DLLP"}),
      Registry().SubKeyNames(platform::kHKeyLocalMachine,
                             "SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804\\Applications"));
  EXPECT_EQ((base::TextList{"R18.0", "R18.1"}),
            Registry().SubKeyNames(platform::kHKeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD"));
}

TEST_F(HostRegistrationTest, AKeyWhoseTextDoesNotFit260BytesKeepsItsEarlierRegistration) {
  const std::string product = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804";
  const std::string native = product + "\\Applications\\BX_PlotSweep2014";
  const std::string managed = product + "\\Applications\\Brenix2014DLLP";
  const std::string hostFolder = "C:\\" + std::string(242, 'h');  // + "\ACAD2013P.dll": 259
  Discover(2014, product, hostFolder);
  Registry().SetString(platform::kHKeyLocalMachine, native, "LOADER", "C:\\Old\\BX.ARX");
  Registry().SetString(platform::kHKeyLocalMachine, native, "DESCRIPTION", "old");
  // With "\BX_PlotSweep2013.ARX" the install folder of 239 bytes makes 260.
  m_installFolder = "C:\\" + std::string(236, 'i');
  Register({2014});
  EXPECT_EQ(Sz("C:\\Old\\BX.ARX"), Machine(native, "LOADER"));
  EXPECT_EQ(Sz("old"), Machine(native, "DESCRIPTION"));
  EXPECT_EQ(Sz(hostFolder + "\\ACAD2013P.dll"), Machine(managed, "LOADER"));

  m_installFolder = "C:\\" + std::string(235, 'i');
  m_installations.HostFolders(2014)[0] += 'h';
  Registry().SetString(platform::kHKeyLocalMachine, managed, "DESCRIPTION", "kept");
  Register({2014});
  EXPECT_EQ(Sz("C:\\" + std::string(235, 'i') + "\\BX_PlotSweep2013.ARX"),
            Machine(native, "LOADER"));
  EXPECT_EQ((base::TextList{"LOADCTRLS", "LOADER"}),
            Registry().ValueNames(platform::kHKeyLocalMachine, native));
  EXPECT_EQ(Sz("kept"), Machine(managed, "DESCRIPTION"));
  EXPECT_EQ(Sz(hostFolder + "\\ACAD2013P.dll"), Machine(managed, "LOADER"));
}

TEST_F(HostRegistrationTest, TrustedPathsGainTheInstallFolderInUpperCaseAndAreNeverShortened) {
  struct Case {
    std::string profile;
    std::optional<WideValue> stored;
    std::optional<WideValue> expected;  // none: left as stored
  };
  const std::u16string appended = u";" + kUpperInstallDir;
  const std::u16string folderInside = u"d:\\x;c:\\brenix\\b-plotsweep;";
  const std::u16string upperFolderInside = u"D:\\X;C:\\BRENIX\\B-PLOTSWEEP;";
  const std::size_t fillToLimit = 12999 - folderInside.size();
  const Case kCases[] = {
      {"absent", std::nullopt, WideSz(kWideInstallDir)},
      {"empty", WideSz(u""), WideSz(kWideInstallDir)},
      {"one character", WideSz(u"x"), WideSz(u"X" + appended)},
      {"two characters", WideSz(u"D:"), WideSz(u"D:" + appended)},
      {"three characters", WideSz(u"xyz"), WideSz(u"XYZ" + appended)},
      {"other folder", WideSz(u"d:\\tools"), WideSz(u"D:\\TOOLS" + appended)},
      {"found", WideSz(u"c:\\brenix\\b-plotsweep;e:\\x"), WideSz(u"C:\\BRENIX\\B-PLOTSWEEP;E:\\X")},
      {"found with a trailing backslash", WideSz(u"e:\\x;c:\\brenix\\b-plotsweep\\"),
       WideSz(u"E:\\X;C:\\BRENIX\\B-PLOTSWEEP\\")},
      {"two trailing backslashes", WideSz(u"c:\\brenix\\b-plotsweep\\\\"),
       WideSz(u"C:\\BRENIX\\B-PLOTSWEEP\\\\" + appended)},
      {"longer name", WideSz(u"C:\\Brenix\\B-PlotSweep2"),
       WideSz(u"C:\\BRENIX\\B-PLOTSWEEP2" + appended)},
      {"inside an entry", WideSz(u"x:\\c:\\brenix\\b-plotsweep"),
       WideSz(u"X:\\C:\\BRENIX\\B-PLOTSWEEP" + appended)},
      {"parent folder", WideSz(u"c:\\brenix"), WideSz(u"C:\\BRENIX" + appended)},
      {"semicolon", WideSz(u"d:\\tools;"), WideSz(u"D:\\TOOLS;" + appended)},
      {"no nul", WideValue{platform::kRegSz, u"d:\\tools"}, WideSz(u"D:\\TOOLS" + appended)},
      {"expand type", WideSz(u"%t%\\x", platform::kRegExpandSz),
       WideSz(u"%T%\\X" + appended, platform::kRegExpandSz)},
      {"empty expand type", WideSz(u"", platform::kRegExpandSz),
       WideSz(kWideInstallDir, platform::kRegExpandSz)},
      {"multi-string type",
       WideValue{platform::kRegMultiSz, std::u16string(u"d:\\a\0e:\\b\0\0", 11)}, std::nullopt},
      {"binary type", WideValue{3, u"d:\\tools"}, std::nullopt},
      {"number type", WideValue{platform::kRegDword, u"\x0002\x0001"}, std::nullopt},
      {"outside any one code page", WideSz(u"D:\\한글\\plugins;E:\\Straße"),
       WideSz(u"D:\\한글\\PLUGINS;E:\\STRAßE" + appended)},
      {"longest joined", WideSz(std::u16string(12977, u'한')),
       WideSz(std::u16string(12977, u'한') + appended)},
      {"joined too long", WideSz(std::u16string(12978, u'한')), std::nullopt},
      {"longest readable", WideSz(folderInside + std::u16string(fillToLimit, u'z')),
       WideSz(upperFolderInside + std::u16string(fillToLimit, u'Z'))},
      {"too long to read", WideSz(std::u16string(13000, u'a') + kWideInstallDir), std::nullopt},
      {"no nul in 13000",
       WideValue{platform::kRegSz, folderInside + std::u16string(fillToLimit + 1, u'z')},
       std::nullopt},
  };
  for (const auto& c : kCases) {
    const std::string key = Variables("R19.1", "ACAD-D001:804", c.profile);
    Registry().AddKey(platform::kHKeyCurrentUser, key);
    if (c.stored) {
      Registry().SetWide(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS", c.stored->type,
                         c.stored->data);
    }
  }
  Trust();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.profile);
    const auto value = Trusted(Variables("R19.1", "ACAD-D001:804", c.profile));
    EXPECT_EQ(c.expected ? c.expected : c.stored, value);
  }
}

TEST_F(HostRegistrationTest, TheFolderIsAddedToTextStoredThroughEitherFamilyOfCalls) {
  const std::string narrowStored = Variables("R19.1", "ACAD-D001:804", "Narrow");
  const std::string found = Variables("R19.1", "ACAD-D001:804", "Found");
  Registry().SetString(platform::kHKeyCurrentUser, narrowStored, "TRUSTEDPATHS", "d:\\乤bc");
  Registry().SetWide(platform::kHKeyCurrentUser, found, "TRUSTEDPATHS", platform::kRegSz,
                     u"c:\\中文\\b-plotsweep\0");
  m_installFolder = "C:\\中文\\B-PlotSweep";
  Trust();
  EXPECT_EQ(WideSz(u"D:\\乤BC;C:\\中文\\B-PLOTSWEEP"), Trusted(narrowStored));
  EXPECT_EQ(WideSz(u"C:\\中文\\B-PLOTSWEEP"), Trusted(found));
}

TEST_F(HostRegistrationTest, AnIllFormedFolderTouchesNoProfile) {
  const std::string tools = Variables("R19.1", "ACAD-D001:804", "Tools");
  const std::string bare = Variables("R19.1", "ACAD-D001:804", "Bare");
  Registry().SetString(platform::kHKeyCurrentUser, tools, "TRUSTEDPATHS", "d:\\tools");
  Registry().AddKey(platform::kHKeyCurrentUser, bare);
  m_installFolder = "C:\\Brenix\x81";
  Trust();
  EXPECT_EQ(WideSz(u"d:\\tools"), Trusted(tools));
  EXPECT_EQ(std::nullopt, Trusted(bare));
}

TEST_F(HostRegistrationTest, EveryProfileOfEveryReleaseIsUpdatedWhateverWasTicked) {
  Discover(2010, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804", "C:\\Acad2010");
  Registry().AddKey(platform::kHKeyCurrentUser,
                    Variables("R18.0", "ACAD-8001:804", "<<Unnamed Profile>>"));
  Registry().SetString(platform::kHKeyCurrentUser, Variables("R18.0", "ACAD-8001:804", "Mine"),
                       "TRUSTEDPATHS", "d:\\tools");
  Registry().AddKey(platform::kHKeyCurrentUser,
                    "SOFTWARE\\Autodesk\\AutoCAD\\R24.3\\ACAD-7101:804\\Profiles\\Bare");
  Register({});
  Trust();
  EXPECT_EQ(WideSz(kWideInstallDir),
            Trusted(Variables("R18.0", "ACAD-8001:804", "<<Unnamed Profile>>")));
  EXPECT_EQ(WideSz(u"D:\\TOOLS;" + kUpperInstallDir),
            Trusted(Variables("R18.0", "ACAD-8001:804", "Mine")));
  EXPECT_EQ(WideSz(kWideInstallDir), Trusted(Variables("R24.3", "ACAD-7101:804", "Bare")));
  EXPECT_TRUE(Registry()
                  .SubKeyNames(platform::kHKeyLocalMachine,
                               "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804")
                  .empty());
}

TEST_F(HostRegistrationTest, WithoutTheUsersAutoCADKeyNoTrustedPathIsTouched) {
  const std::string other = "SOFTWARE\\Autodesk\\AutoCAD LT\\R18\\ACAD:804\\Profiles\\P\\Variables";
  Registry().SetString(platform::kHKeyCurrentUser, other, "TRUSTEDPATHS", "d:\\tools");
  Trust();
  EXPECT_EQ(Sz("d:\\tools"),
            Registry().GetValue(platform::kHKeyCurrentUser, other, "TRUSTEDPATHS"));
  EXPECT_FALSE(Registry().KeyExists(platform::kHKeyCurrentUser, "SOFTWARE\\Autodesk\\AutoCAD"));

  const std::string profile = Variables("R18.0", "ACAD-8001:804", "P");
  Registry().SetString(platform::kHKeyCurrentUser, profile, "TRUSTEDPATHS", "d:\\tools");
  Registry().Fail(Fault("OpenKey", KeyName(platform::kHKeyCurrentUser, "")));
  Trust();
  EXPECT_EQ(WideSz(u"d:\\tools"), Trusted(profile));
}

TEST_F(HostRegistrationTest, AProfileThatCannotBeReadOrWrittenIsLeftAsItIs) {
  const std::string unreadable = Variables("R18.0", "ACAD-8001:804", "Unreadable");
  const std::string unopenable = Variables("R18.0", "ACAD-8001:804", "Unopenable");
  const std::string unwritable = Variables("R18.0", "ACAD-8001:804", "Unwritable");
  const std::string hidden = Variables("R18.0", "ACAD-8001:804", "Hidden");
  const std::string unlisted = Variables("R18.1", "ACAD-9001:804", "Unlisted");
  const std::string plain = Variables("R18.0", "ACAD-8001:804", "Plain");
  for (const auto& key : {unreadable, unopenable, unwritable, hidden, unlisted, plain}) {
    Registry().SetString(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS", "d:\\tools");
  }
  Registry().Fail(
      Fault("QueryValue", KeyName(platform::kHKeyCurrentUser, unreadable)).Value("TRUSTEDPATHS"));
  Registry().Fail(Fault("OpenKey", KeyName(platform::kHKeyCurrentUser, unopenable)));
  Registry().Fail(Fault("CreateKey", KeyName(platform::kHKeyCurrentUser, unwritable)));
  // A profile key that cannot be opened for reading is not listed.
  Registry().Fail(
      Fault("OpenKeyForRead",
            KeyName(platform::kHKeyCurrentUser,
                    "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\Profiles\\Hidden")));
  // Profile names that cannot be read are left out, not taken as empty.
  Registry().Fail(
      Fault("EnumSubKey", KeyName(platform::kHKeyCurrentUser,
                                  "SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804\\Profiles")));
  Trust();
  for (const auto& key : {unreadable, unopenable, unwritable, hidden, unlisted}) {
    EXPECT_EQ(WideSz(u"d:\\tools"), Trusted(key)) << key;
  }
  EXPECT_FALSE(Registry().KeyExists(
      platform::kHKeyCurrentUser,
      "SOFTWARE\\Autodesk\\AutoCAD\\R18.1\\ACAD-9001:804\\Profiles\\Variables"));
  EXPECT_EQ(WideSz(u"D:\\TOOLS;" + kUpperInstallDir), Trusted(plain));
}

// The uninstall takes the folder's entries out and leaves the rest as it is.
struct Distrust {
  const char* name;
  std::optional<WideValue> stored;
  std::optional<WideValue> expected;  // none: absent
  long result;
  PRINTS_ROW_NAME(Distrust)
};

class DistrustTest : public ::testing::TestWithParam<Distrust> {};

TEST_P(DistrustTest, TakesOutTheFoldersEntriesOnly) {
  const Distrust& row = GetParam();
  FakeRegistry registry;
  const std::string key = Variables("R19.1", "ACAD-D001:804", "P");
  registry.AddKey(platform::kHKeyCurrentUser, key);
  if (row.stored) {
    registry.SetWide(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS", row.stored->type,
                     row.stored->data);
  }
  EXPECT_EQ(row.result, install::DistrustFolder(registry, key, kWideInstallDir));
  EXPECT_EQ(row.expected, registry.GetWideValue(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS"));
  EXPECT_EQ(0, registry.OpenHandleCount());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DistrustTest,
    ::testing::Values(Distrust{"absent", std::nullopt, std::nullopt, kErrorSuccess},
                      Distrust{"only entry", WideSz(kUpperInstallDir), WideSz(u""), kErrorSuccess},
                      Distrust{"between others", WideSz(u"D:\\X;" + kUpperInstallDir + u"\\;e:\\y"),
                               WideSz(u"D:\\X;e:\\y"), kErrorSuccess},
                      Distrust{"twice, with empty entries",
                               WideSz(u";c:\\brenix\\b-plotsweep;;" + kUpperInstallDir),
                               WideSz(u";"), kErrorSuccess},
                      Distrust{"not there", WideSz(u"c:\\brenix;C:\\BRENIX\\B-PLOTSWEEP2"),
                               WideSz(u"c:\\brenix;C:\\BRENIX\\B-PLOTSWEEP2"), kErrorSuccess},
                      Distrust{"expand type",
                               WideSz(u"%T%;" + kUpperInstallDir, platform::kRegExpandSz),
                               WideSz(u"%T%", platform::kRegExpandSz), kErrorSuccess},
                      Distrust{"other type", WideValue{3, kUpperInstallDir},
                               WideValue{3, kUpperInstallDir}, kErrorInvalidData}),
    RowName());

}  // namespace
