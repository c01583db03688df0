#include "install/support_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/installations.h"
#include "support/fake_platform.h"
#include "support/path_of_length.h"
#include "support/test_values.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char kPayload[] = "C:\\Dist\\Data";

class SupportFilesTest : public ::testing::Test {
 protected:
  SupportFilesTest() {
    fake.files.AddDrive('C');
    fake.environment.SetModulePath("C:\\Dist\\SetUp.exe");
    for (const char* name : {"Brenix_EN.shx", "Brenix_HZ.shx", "itextsharp.dll", "ACAD2010P.dll",
                             "ACAD2013P.dll", "Brenix.prt5", "Other.dll"}) {
      fake.files.AddFile(In(kPayload, name), name);
    }
  }

  // An installation of `year` with Fonts and Drv folders, and the host's own
  // driver file.
  void AddHost(int year, const std::string& folder, bool withFonts = true) {
    state.HostFolders(year).push_back(folder);
    fake.files.AddFolder(folder);
    if (withFonts) fake.files.AddFolder(In(folder, "Fonts"));
    fake.files.AddFile(In(folder, "Drv\\pdfplot9.hdi"), "host driver");
  }

  void Deploy(std::initializer_list<int> tickedYears) {
    install::DeploySupportFiles(fake.platform, state, TicksFor(tickedYears));
  }

  FakePlatform fake;
  base::Installations state;
};

TEST_F(SupportFilesTest, FontsLibraryAndEveryLibraryYearAreCopiedInOrder) {
  AddHost(2010, "C:\\CAD2010");
  Deploy({2010});

  std::vector<std::string> expected = {"C:\\CAD2010\\Fonts\\Brenix_EN.shx",
                                       "C:\\CAD2010\\Fonts\\Brenix_HZ.shx",
                                       "C:\\CAD2010\\itextsharp.dll"};
  for (int year = 2007; year <= 2050; ++year) {
    expected.push_back("C:\\CAD2010\\ACAD" + std::to_string(year) + "P.dll");
  }
  EXPECT_EQ(fake.files.CopyDestinations(), expected);
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(SupportFilesTest, OnlyTheLibrariesThePayloadHoldsArrive) {
  AddHost(2010, "C:\\CAD2010");
  Deploy({2010});

  EXPECT_THAT(fake.files.ListNames("C:\\CAD2010"),
              ElementsAre("Fonts", "Drv", "itextsharp.dll", "ACAD2010P.dll", "ACAD2013P.dll"));
  EXPECT_THAT(fake.files.ListNames("C:\\CAD2010\\Fonts"),
              ElementsAre("Brenix_EN.shx", "Brenix_HZ.shx"));
  EXPECT_EQ(fake.files.ReadFile("C:\\CAD2010\\ACAD2013P.dll"), "ACAD2013P.dll");
  EXPECT_EQ(fake.files.ReadFile("C:\\CAD2010\\Drv\\pdfplot9.hdi"), "host driver");
}

TEST_F(SupportFilesTest, HostWithoutFontsFolderGetsEverythingElse) {
  AddHost(2010, "C:\\CAD2010", false);
  Deploy({2010});

  EXPECT_FALSE(fake.files.FolderExists("C:\\CAD2010\\Fonts"));
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2010\\itextsharp.dll"));
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2010\\ACAD2010P.dll"));
  EXPECT_THAT(fake.files.CallsOf(FsOp::kCreateDir), IsEmpty());
  EXPECT_THAT(fake.files.CallsOf(FsOp::kMakeDir), IsEmpty());
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(SupportFilesTest, BusyFileIsLeftOutSilently) {
  AddHost(2010, "C:\\CAD2010");
  fake.files.AddFile("C:\\CAD2010\\itextsharp.dll", "in use");
  fake.files.Lock("C:\\CAD2010\\itextsharp.dll");
  Deploy({2010});

  EXPECT_EQ(fake.files.ReadFile("C:\\CAD2010\\itextsharp.dll"), "in use");
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2010\\ACAD2013P.dll"));
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(SupportFilesTest, Release2007IsServedBefore2008AndOnly2008GetsTheDriver) {
  AddHost(2008, "C:\\CAD2008");
  AddHost(2007, "C:\\CAD2007");
  Deploy({2007, 2008});

  EXPECT_EQ(fake.files.ReadFile("C:\\CAD2008\\Drv\\pdfplot9.hdi"), "Brenix.prt5");
  EXPECT_EQ(fake.files.ReadFile("C:\\CAD2007\\Drv\\pdfplot9.hdi"), "host driver");
  const std::vector<std::string> destinations = fake.files.CopyDestinations();
  ASSERT_EQ(destinations.size(), 47u + 48u);
  EXPECT_EQ(destinations.front(), "C:\\CAD2007\\Fonts\\Brenix_EN.shx");
  EXPECT_EQ(destinations[46], "C:\\CAD2007\\ACAD2050P.dll");
  EXPECT_EQ(destinations[47], "C:\\CAD2008\\Fonts\\Brenix_EN.shx");
  EXPECT_EQ(destinations.back(), "C:\\CAD2008\\Drv\\pdfplot9.hdi");
}

TEST_F(SupportFilesTest, EveryInstallationOfATickedReleaseIsServed) {
  AddHost(2013, "C:\\CAD2013a");
  state.HostFolders(2013).push_back("D:\\CAD2013b");  // on a missing drive: fails silently
  AddHost(2013, "C:\\CAD2013c");
  Deploy({2013});

  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2013a\\Fonts\\Brenix_HZ.shx"));
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2013c\\Fonts\\Brenix_HZ.shx"));
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2013c\\ACAD2010P.dll"));
}

TEST_F(SupportFilesTest, AHostFolderThatIsNotAbsoluteGetsNothing) {
  for (const char* folder : {"", "CAD2013", "\\CAD2013", "C:CAD2013", "..\\CAD2013", "C:"}) {
    state.HostFolders(2013).push_back(folder);
  }
  AddHost(2013, "C:\\CAD2013");
  Deploy({2013});

  const std::vector<std::string> destinations = fake.files.CopyDestinations();
  EXPECT_EQ(destinations.size(), 47u);
  for (const std::string& destination : destinations) {
    EXPECT_EQ(destination.rfind("C:\\CAD2013\\", 0), 0u) << destination;
  }
}

TEST_F(SupportFilesTest, AServerShareIsAHostFolderToo) {
  state.HostFolders(2013).push_back("\\\\srv\\cad");
  Deploy({2013});

  const std::vector<std::string> destinations = fake.files.CopyDestinations();
  ASSERT_EQ(destinations.size(), 47u);
  EXPECT_EQ(destinations.front(), "\\\\srv\\cad\\Fonts\\Brenix_EN.shx");
}

TEST_F(SupportFilesTest, UntickedReleasesAreLeftAlone) {
  AddHost(2009, "C:\\CAD2009");
  AddHost(2025, "C:\\CAD2025");
  Deploy({2010});

  EXPECT_THAT(fake.files.Log(), IsEmpty());
  EXPECT_THAT(fake.prompt.Calls(), IsEmpty());
}

TEST_F(SupportFilesTest, WithoutPayloadNothingIsCopied) {
  AddHost(2010, "C:\\CAD2010");
  fake.environment.UnsetModulePath();
  fake.prompt.Answer(platform::kIdOk);
  Deploy({2010});

  EXPECT_THAT(fake.files.CallsOf(FsOp::kCopyOver), IsEmpty());
  EXPECT_EQ(fake.prompt.Calls().size(), 1u);
}

// ---- Paths at the 260-byte limit: each copy whose path would not fit is
// left out; nothing is written to a shortened path ----

TEST_F(SupportFilesTest, EachCopyIsMadeOnlyWhenItsDestinationFits) {
  // "\ACAD2010P.dll" adds 14 bytes: 259. "\itextsharp.dll" adds 15: 260.
  const std::string host = PathOfLength("C:\\", 259 - 14);
  AddHost(2008, host);
  Deploy({2008});

  EXPECT_THAT(fake.files.ListNames(host),
              ElementsAre("Fonts", "Drv", "ACAD2010P.dll", "ACAD2013P.dll"));
  EXPECT_THAT(fake.files.ListNames(In(host, "Fonts")), IsEmpty());
  EXPECT_EQ(fake.files.ReadFile(In(host, "Drv\\pdfplot9.hdi")), "host driver");
  for (const std::string& destination : fake.files.CopyDestinations()) {
    EXPECT_LE(destination.size(), 259u) << destination;
  }
}

TEST_F(SupportFilesTest, FontsAndDriverArriveAtTheirLongestFittingPaths) {
  // "\Fonts\Brenix_EN.shx" adds 20 bytes, "\Drv\pdfplot9.hdi" 17.
  const std::string fontsHost = PathOfLength("C:\\f", 259 - 20);
  const std::string driverHost = PathOfLength("C:\\d", 259 - 17);
  AddHost(2008, fontsHost);
  AddHost(2008, driverHost);
  Deploy({2008});

  EXPECT_TRUE(fake.files.FileExists(In(fontsHost, "Fonts\\Brenix_EN.shx")));
  EXPECT_EQ(fake.files.ReadFile(In(driverHost, "Drv\\pdfplot9.hdi")), "Brenix.prt5");
  EXPECT_THAT(fake.files.ListNames(In(driverHost, "Fonts")), IsEmpty());
}

TEST_F(SupportFilesTest, HostFolderThatDoesNotFitIsSkippedWhole) {
  const std::string host = PathOfLength("C:\\", 260);
  AddHost(2010, host);
  AddHost(2010, "C:\\CAD2010");
  Deploy({2010});

  for (const std::string& destination : fake.files.CopyDestinations()) {
    EXPECT_EQ(destination.rfind("C:\\CAD2010\\", 0), 0u) << destination;
  }
  EXPECT_TRUE(fake.files.FileExists("C:\\CAD2010\\itextsharp.dll"));
}

}  // namespace
