#include "e2e/harness/install_fixture.h"

#include <stdexcept>

#include "support/test_values.h"
#include "ui/setup/win32/resource.h"

const std::vector<std::string> kProductFiles = {
    "BX_PlotSweep2008.ARX", "BX_PlotSweep2010.ARX", "BX_PlotSweep2013.ARX",
    "BX_PlotSweep.cuix",    "itextsharp.dll",       "ACAD2007P.dll",
    "ACAD2010P.dll",        "ACAD2013P.dll",        "Readme.txt"};
const std::vector<std::string> kHostFiles = {"Brenix_EN.shx", "Brenix_HZ.shx", "Brenix.prt5"};

namespace {

constexpr char kHostDriver[] = "the host's own plot driver";
constexpr char kUserAcadKey[] = "Software\\Autodesk\\AutoCAD\\";

// The payload's libraries, which every served host receives.
const char* const kHostLibraries[] = {"itextsharp.dll", "ACAD2007P.dll", "ACAD2010P.dll",
                                      "ACAD2013P.dll"};

std::string ProductKey(const AcadInstallation& installation) {
  return std::string(installation.baseKey) + "\\" + installation.releaseKey + "\\" +
         installation.productKey;
}

std::string FileText(const std::string& path) {
  return ReadFileContent(path).value_or("<no file " + path + ">");
}

}  // namespace

std::string PayloadContent(const std::string& name) { return "payload file " + name; }

// ---- InstallTest -----------------------------------------------------------

void InstallTest::SetUp() {
  SetupTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_FALSE(settingsFile_.path().empty()) << "APPDATA is not set";

  releases_ = {{2008, SampleInstallation(2008, kAcadWow64BaseKey), 2008, 2007},
               {2010, SampleInstallation(2010), 2010, 2010},
               {2014, SampleInstallation(2014), 2013, 2013}};
  // Only the 64-bit program serves the releases from 2017 on.
  if (kProgramBitness == 64) releases_.push_back({2020, SampleInstallation(2020), 2019, 2013});
  for (TestRelease& release : releases_) {
    const std::string host = "AutoCAD " + std::to_string(release.year);
    release.installation.location = sandbox_.Child(host);
    ASSERT_TRUE(sandbox_.AddFolder(host) && AddHostContents(release.installation.location)) << host;
    ASSERT_TRUE(registry_.AddInstallation(release.installation)) << release.year;
  }

  profiles_ = {{2010, "<<Unnamed Profile>>", std::nullopt},
               {2014, "Drafting", "d:\\tools"},
               {2015, "Legacy", std::nullopt},
               {2020, "<<Unnamed Profile>>", "e:\\lisp;C:\\Program Files\\Acme"}};
  for (const TestProfile& profile : profiles_) {
    const AcadInstallation sample = SampleInstallation(profile.year);
    std::vector<std::pair<std::string, std::string>> variables;
    if (profile.trustedPaths) variables.emplace_back("TRUSTEDPATHS", *profile.trustedPaths);
    ASSERT_TRUE(registry_.AddProfile(sample.releaseKey, sample.productKey, profile.name, variables))
        << profile.name;
  }
}

bool InstallTest::AddPayloadFiles(const std::string& folder) const {
  std::vector<std::string> names = kProductFiles;
  names.insert(names.end(), kHostFiles.begin(), kHostFiles.end());
  names.push_back(kSettingsFileName);
  for (const std::string& name : names) {
    if (!WriteFileContent(folder + "\\" + name, PayloadContent(name))) return false;
  }
  return true;
}

bool InstallTest::AddHostContents(const std::string& host) {
  return CreateFolder(host + "\\Fonts") && CreateFolder(host + "\\Drv") &&
         WriteFileContent(host + "\\Drv\\pdfplot9.hdi", kHostDriver);
}

bool InstallTest::AddDataPayload() const {
  return distribution_.AddFolder("Data") && AddPayloadFiles(dataFolder()) &&
         distribution_.AddFile("Data\\SetUp.exe", "a stray setup program") &&
         distribution_.AddFolder("Data\\Docs") &&
         distribution_.AddFile("Data\\Docs\\Guide.txt", "not copied");
}

bool InstallTest::AddFlatPayload() const { return AddPayloadFiles(distribution_.path()); }

WindowDriver InstallTest::Start(const std::string& chosenFolder) {
  SetupTest::Start();
  EXPECT_TRUE(dialog_.SetText(IDC_INSTALL_PATH, chosenFolder));
  return dialog_;
}

bool InstallTest::ClickInstall() const { return dialog_.PostClick(IDC_INSTALL); }

WindowDriver InstallTest::ClickInstallForMessage() const {
  if (!ClickInstall()) return WindowDriver();
  const WindowDriver box = process_->WaitForMessageBox();
  if (box.hwnd() == nullptr) {
    ADD_FAILURE() << "no message box";
    return box;
  }
  EXPECT_EQ(kSetupBoxCaption, box.Caption());
  return box;
}

bool InstallTest::WaitForCompletionView() const {
  // A message box or the end of the program stops the wait early.
  WaitUntil(
      [this] {
        return dialog_.Visible(IDOK) || process_->WaitForMessageBox(0).hwnd() != nullptr ||
               process_->WaitForExit(0);
      },
      kInstallTimeout);
  if (dialog_.Visible(IDOK)) return true;
  const WindowDriver box = process_->WaitForMessageBox(0);
  std::string instead = "nothing within the time";
  if (box.hwnd() != nullptr) {
    instead = "the message " + MessageBoxText(box);
  } else if (process_->WaitForExit(0)) {
    instead = "the end of the program";
  }
  ADD_FAILURE() << "no completion view but " << instead;
  return false;
}

bool InstallTest::InstallWithStandardSettings() {
  return AddDataPayload() && Start().hwnd() != nullptr && ClickInstall() && WaitForCompletionView();
}

bool InstallTest::DialogResponds() const {
  // A message sent from another thread is handled only inside a message loop.
  return !dialog_.Text(IDC_TITLE).empty();
}

const TestRelease& InstallTest::Release(int year) const {
  for (const TestRelease& release : releases_) {
    if (release.year == year) return release;
  }
  throw std::out_of_range("no test release of " + std::to_string(year));
}

std::string InstallTest::ApplicationKey(const TestRelease& release,
                                        const std::string& application) {
  return ProductKey(release.installation) + "\\Applications\\" + application;
}

std::string InstallTest::VariablesKey(const TestProfile& profile) {
  const AcadInstallation sample = SampleInstallation(profile.year);
  return kUserAcadKey + sample.releaseKey + "\\" + sample.productKey + "\\Profiles\\" +
         profile.name + "\\Variables";
}

// ---- Expectations ----------------------------------------------------------

std::set<std::string> InstallTest::InstalledNames() {
  std::set<std::string> installed(kProductFiles.begin(), kProductFiles.end());
  installed.insert({"InstallRecord.txt", "Uninstall.exe"});  // what an uninstall needs
  return installed;
}

void InstallTest::ExpectInstalledFiles(const std::string& folder) const {
  EXPECT_EQ(InstalledNames(), FolderEntries(folder));
  for (const std::string& name : kProductFiles) {
    EXPECT_EQ(PayloadContent(name), FileText(folder + "\\" + name));
  }
  EXPECT_EQ(PayloadContent(kSettingsFileName), FileText(settingsFile_.path()));
}

void InstallTest::ExpectSupportFiles(const TestRelease& release) const {
  const std::string& host = release.installation.location;
  std::set<std::string> hostEntries = {"Fonts", "Drv"};
  for (const char* library : kHostLibraries) {
    hostEntries.insert(library);
    EXPECT_EQ(PayloadContent(library), FileText(host + "\\" + library));
  }
  EXPECT_EQ(hostEntries, FolderEntries(host)) << host;

  EXPECT_EQ(std::set<std::string>({"Brenix_EN.shx", "Brenix_HZ.shx"}),
            FolderEntries(host + "\\Fonts"));
  for (const char* font : {"Brenix_EN.shx", "Brenix_HZ.shx"}) {
    EXPECT_EQ(PayloadContent(font), FileText(host + "\\Fonts\\" + font));
  }

  // Only release 2008 gets the product's driver, under the host's own name;
  // the host's own is kept beside it until an uninstall puts it back.
  const std::string backup = "pdfplot9.hdi.B-PlotSweep.bak";
  EXPECT_EQ(release.year == 2008 ? std::set<std::string>({"pdfplot9.hdi", backup})
                                 : std::set<std::string>({"pdfplot9.hdi"}),
            FolderEntries(host + "\\Drv"));
  if (release.year == 2008) {
    EXPECT_EQ(kHostDriver, FileText(host + "\\Drv\\" + backup));
  }
  EXPECT_EQ(release.year == 2008 ? PayloadContent("Brenix.prt5") : kHostDriver,
            FileText(host + "\\Drv\\pdfplot9.hdi"))
      << release.year;
}

void InstallTest::ExpectHostUntouched(const TestRelease& release) const {
  const std::string& host = release.installation.location;
  EXPECT_EQ(std::set<std::string>({"Fonts", "Drv"}), FolderEntries(host));
  EXPECT_TRUE(FolderEntries(host + "\\Fonts").empty());
  EXPECT_EQ(kHostDriver, FileText(host + "\\Drv\\pdfplot9.hdi"));
}

void InstallTest::ExpectDemandLoadKeys(const TestRelease& release,
                                       const std::string& folder) const {
  const std::string year = std::to_string(release.year);
  const std::string module = ApplicationKey(release, "BX_PlotSweep" + year);
  EXPECT_EQ(DwordValue(2), ReadStoredValue(HKEY_LOCAL_MACHINE, module, "LOADCTRLS")) << module;
  EXPECT_EQ(SzValue(folder + "\\BX_PlotSweep" + std::to_string(release.moduleYear) + ".ARX"),
            ReadStoredValue(HKEY_LOCAL_MACHINE, module, "LOADER"))
      << module;

  const std::string library = ApplicationKey(release, "Brenix" + year + "DLLP");
  EXPECT_EQ(DwordValue(2), ReadStoredValue(HKEY_LOCAL_MACHINE, library, "LOADCTRLS")) << library;
  EXPECT_EQ(SzValue(release.installation.location + "\\ACAD" + std::to_string(release.libraryYear) +
                    "P.dll"),
            ReadStoredValue(HKEY_LOCAL_MACHINE, library, "LOADER"))
      << library;
  EXPECT_EQ(DwordValue(1), ReadStoredValue(HKEY_LOCAL_MACHINE, library, "MANAGED")) << library;
}

void InstallTest::ExpectNoDemandLoadKeys(const TestRelease& release) const {
  const std::string year = std::to_string(release.year);
  for (const std::string& application : {"BX_PlotSweep" + year, "Brenix" + year + "DLLP"}) {
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, ApplicationKey(release, application)))
        << application;
  }
}

void InstallTest::ExpectTrustedPaths(const std::string& folder) const {
  for (const TestProfile& profile : profiles_) {
    const std::string expected = profile.trustedPaths
                                     ? UpperAscii(*profile.trustedPaths) + ";" + UpperAscii(folder)
                                     : folder;
    EXPECT_EQ(SzValue(expected),
              ReadStoredValue(HKEY_CURRENT_USER, VariablesKey(profile), "TRUSTEDPATHS"))
        << profile.name;
  }
}

void InstallTest::ExpectTrustedPathsUnchanged() const {
  for (const TestProfile& profile : profiles_) {
    const StoredValue before =
        profile.trustedPaths ? SzValue(*profile.trustedPaths) : StoredValue{};
    EXPECT_EQ(before, ReadStoredValue(HKEY_CURRENT_USER, VariablesKey(profile), "TRUSTEDPATHS"))
        << profile.name;
  }
}

void InstallTest::ExpectSettingsView(const WindowDriver& dialog) {
  for (int id : {IDC_PATH_LABEL, IDC_INSTALL_PATH, IDC_BROWSE, IDC_INSTALL, IDCANCEL}) {
    EXPECT_TRUE(dialog.Visible(id)) << id;
  }
  for (int id : {IDC_PROGRESS, IDOK, IDC_COMPLETION_TEXT, IDC_COMPLETION_PICTURE}) {
    EXPECT_FALSE(dialog.Visible(id)) << id;
  }
}
