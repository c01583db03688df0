// A complete install, run once for every registry and file-system call it
// makes with that call failing, and once with every call failing from that
// call on. Whatever fails, the rules hold: no trusted path lost or
// shortened, nothing written outside the install folder, the settings
// folder, the host folders and the documented keys, nothing under a wrong
// path, a release the outcome does not name got everything, and unless the
// outcome says otherwise, the record names every host file written.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "base/text.h"
#include "discovery/host_discovery.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "support/fake_platform.h"
#include "support/recording_progress.h"
#include "support/test_values.h"
#include "ui/setup/unattended.h"

using base::ToUpperAscii;
using install::RunInstallSteps;
using install::SettleInstallFolder;

namespace {

constexpr char kInstall[] = "C:\\BRENIX\\B-PLOTSWEEP";
constexpr char kSettings[] = "C:\\USERS\\U\\APPDATA\\ROAMING\\BRENIX";
const char* const kProductFiles[] = {"Readme.txt", "BX_PlotSweep2008.ARX", "BX_PlotSweep2013.ARX",
                                     "Brenix.Ini"};
const char* const kHostFiles[] = {"Brenix_EN.shx", "Brenix_HZ.shx", "itextsharp.dll",
                                  "ACAD2007P.dll", "ACAD2013P.dll", "Brenix.prt5"};

struct Host {
  int year;
  std::string product;  // below HKEY_LOCAL_MACHINE
  std::string folder;
  bool folderExists;
  std::string registration;  // as Registration() shows it after an install
};

// 2008 under Wow6432Node, 2014 installed twice (one host folder missing),
// profiles of both with and without trusted paths, and a read-only file of
// an earlier install in the install folder.
const Host kHosts[] = {
    {2008, "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804", "D:\\CAD2008", true,
     "2 C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2008.ARX - | 2 D:\\CAD2008\\ACAD2007P.dll 1"},
    {2014, "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804", "D:\\CAD2014", true,
     "2 C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2013.ARX - | 2 D:\\CAD2014\\ACAD2013P.dll 1"},
    {2014, "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D002:804", "D:\\Gone2014", false,
     "2 C:\\Brenix\\B-PlotSweep\\BX_PlotSweep2013.ARX - | 2 D:\\Gone2014\\ACAD2013P.dll 1"},
};
const std::map<std::string, std::string> kProfiles = {
    {"SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804\\Profiles\\A\\Variables", "d:\\tools"},
    {"SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\B\\Variables", ""},
    {"SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\Profiles\\C\\Variables",
     "e:\\lisp;C:\\Brenix\\B-PlotSweep"},
};

struct Machine {
  Machine() {
    fake.AddDrivesProgramAndAppData();
    for (const char* name : kProductFiles)
      fake.files.AddFile(std::string("C:\\Dist\\Data\\") + name, name);
    for (const char* name : kHostFiles)
      fake.files.AddFile(std::string("C:\\Dist\\Data\\") + name, name);
    fake.files.AddFile("C:\\Brenix\\B-PlotSweep\\Readme.txt", "earlier", platform::kAttrReadOnly);
    for (const Host& host : kHosts) {
      fake.registry.SetString(platform::kHKeyLocalMachine, host.product, "AcadLocation",
                              host.folder);
      fake.registry.SetString(platform::kHKeyLocalMachine, host.product, "ProductName",
                              "AutoCAD " + std::to_string(host.year));
      if (host.folderExists) {
        fake.files.AddFolder(host.folder + "\\Fonts");
        fake.files.AddFile(host.folder + "\\Drv\\pdfplot9.hdi", "host driver");
      }
    }
    for (const auto& [key, paths] : kProfiles) {
      fake.registry.SetString(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS", paths);
    }
    for (const std::string& path : fake.files.AllPaths()) pathsBefore.insert(path);
    for (const std::string& key : fake.registry.AllKeys()) keysBefore.insert(ToUpperAscii(key));
  }

  // The install as the dialog runs it, every question answered as the
  // unattended mode does.
  bool Install() {
    state = discovery::FindInstallations(fake.registry);
    std::string folder = "C:\\Brenix";
    if (!SettleInstallFolder(platform, &folder)) return false;
    const auto steps = RunInstallSteps(platform, state, folder, TicksFor({2008, 2014}), progress);
    if (steps) outcome = *steps;
    return steps.has_value();
  }

  FakePlatform fake;
  ui::SilentPrompt silent;
  platform::Platform platform{fake.registry, fake.files, fake.environment, fake.processes, silent};
  base::Installations state;
  install::InstallOutcome outcome;
  RecordingProgress progress;
  std::set<std::string> pathsBefore;
  std::set<std::string> keysBefore;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool UnderOneOf(const std::string& path, std::initializer_list<std::string> folders) {
  return std::any_of(folders.begin(), folders.end(), [&](const std::string& folder) {
    return path == folder || StartsWith(path, folder + "\\");
  });
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A payload file's name, or its backup's.
bool NamedAsPayload(const std::string& path) {
  std::string name = path.substr(path.find_last_of('\\') + 1);
  if (EndsWith(name, ".B-PLOTSWEEP.BAK")) name.resize(name.size() - 16);
  for (const char* known : kProductFiles)
    if (name == ToUpperAscii(known)) return true;
  for (const char* known : kHostFiles)
    if (name == ToUpperAscii(known)) return true;
  return name == "PDFPLOT9.HDI";
}

std::string Trusted(const Machine& machine, const std::string& key) {
  const auto value =
      machine.fake.registry.GetValue(platform::kHKeyCurrentUser, key, "TRUSTEDPATHS");
  return value ? value->data.substr(0, value->data.find('\0')) : "<none>";
}

// A value of an application key as text: a DWORD's low byte, a string
// without its NUL, "-" when there is none.
std::string ApplicationValue(const Machine& machine, const std::string& key, const char* name) {
  const auto value = machine.fake.registry.GetValue(platform::kHKeyLocalMachine, key, name);
  if (!value || value->data.empty()) return "-";
  if (value->type == platform::kRegDword)
    return std::to_string(static_cast<unsigned char>(value->data[0]));
  return value->data.substr(0, value->data.find('\0'));
}

// Both application keys of a host's release: LOADCTRLS, LOADER and MANAGED
// of the native module's key, then of the managed library's.
std::string Registration(const Machine& machine, const Host& host) {
  const std::string applications = host.product + "\\Applications\\";
  std::string text;
  for (const std::string& key : {applications + "BX_PlotSweep" + std::to_string(host.year),
                                 applications + "Brenix" + std::to_string(host.year) + "DLLP"}) {
    text += std::string(text.empty() ? "" : " | ") + ApplicationValue(machine, key, "LOADCTRLS") +
            " " + ApplicationValue(machine, key, "LOADER") + " " +
            ApplicationValue(machine, key, "MANAGED");
  }
  return text;
}

// The rules every run must keep, whatever failed.
void ExpectTheRulesHeld(const Machine& machine, bool installed, const std::string& run) {
  SCOPED_TRACE(run);
  // Trusted paths: as they were, or upper-cased with the folder added.
  for (const auto& [key, before] : kProfiles) {
    const std::string after = Trusted(machine, key);
    const std::string upper = ToUpperAscii(before);
    EXPECT_TRUE(after == before || after == upper ||
                (before.empty() && after == "C:\\Brenix\\B-PlotSweep") ||
                after == upper + ";" + kInstall)
        << key << ": " << after;
  }
  // Files: only payload names, only in the install, settings and host
  // folders, and what the install keeps to be removed again.
  base::TextList lines;
  const std::string recordPath = std::string(kInstall) + "\\INSTALLRECORD.TXT";
  const std::string text =
      machine.fake.files.FileExists(recordPath) ? machine.fake.files.ReadFile(recordPath) : "";
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  const install::InstallRecord record = install::ParseRecord(lines);
  const bool recordFailed =
      std::any_of(machine.outcome.failures.begin(), machine.outcome.failures.end(),
                  [](const install::HostFailure& failure) {
                    return failure.step == install::HostStep::kUninstall;
                  });
  for (const std::string& path : machine.fake.files.AllPaths()) {
    if (machine.pathsBefore.count(path)) continue;
    const bool folder = path == "C:\\BRENIX" || path == kInstall || path == kSettings;
    const bool kept = UnderOneOf(path, {std::string(kInstall) + "\\UNINSTALL.EXE",
                                        std::string(kInstall) + "\\INSTALLRECORD.TXT",
                                        std::string(kInstall) + "\\INSTALLRECORD.TXT.NEW"});
    const bool host = UnderOneOf(path, {"D:\\CAD2008", "D:\\CAD2014"});
    EXPECT_TRUE(folder || kept ||
                (NamedAsPayload(path) && (host || UnderOneOf(path, {kInstall, kSettings}))))
        << path;
    if (installed && !recordFailed && host && !EndsWith(path, ".BAK")) {
      EXPECT_TRUE(std::any_of(record.hostFiles.begin(), record.hostFiles.end(),
                              [&](const install::RecordedHostFile& file) {
                                return ToUpperAscii(file.path) == path && file.created;
                              }))
          << path << " is not in the record";
    }
  }
  // Keys: only the documented ones (and the Applications keys above them),
  // and the Programs and Features entry.
  const std::string entry =
      "\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL\\B-PLOTSWEEP";
  for (const std::string& key : machine.fake.registry.AllKeys()) {
    const std::string upper = ToUpperAscii(key);
    if (machine.keysBefore.count(upper)) continue;
    const std::string name = upper.substr(upper.find_last_of('\\') + 1);
    const std::string below = upper.substr(std::min(upper.find('\\'), upper.size()));
    EXPECT_TRUE(name == "APPLICATIONS" || name == "BX_PLOTSWEEP2008" || name == "BRENIX2008DLLP" ||
                name == "BX_PLOTSWEEP2014" || name == "BRENIX2014DLLP" ||
                entry.compare(0, below.size(), below) == 0)
        << key;
  }
  // A discovered installation the outcome does not name got everything:
  // both application keys with their values, and the support files; a copy
  // stopped leaves the hosts alone.
  const auto named = [&machine](install::HostStep step, const std::string& target) {
    const install::HostFailures& failures = machine.outcome.failures;
    return std::any_of(failures.begin(), failures.end(), [&](const install::HostFailure& failure) {
      return failure.step == step && failure.target == target;
    });
  };
  for (const Host& host : kHosts) {
    const base::TextList& found = machine.state.ProductKeys(host.year);
    const bool discovered =
        std::find(found.begin(), found.end(), host.product + "\\") != found.end();
    if (!installed) {
      EXPECT_EQ("- - - | - - -", Registration(machine, host)) << host.product;
      continue;
    }
    if (discovered && !named(install::HostStep::kDemandLoad, host.product + "\\")) {
      EXPECT_EQ(host.registration, Registration(machine, host)) << host.product;
    }
    if (discovered && !named(install::HostStep::kSupportFiles, host.folder)) {
      for (const char* name : {"Brenix_EN.shx", "Brenix_HZ.shx"}) {
        EXPECT_EQ(name, machine.fake.files.ReadFile(host.folder + "\\Fonts\\" + name));
      }
      for (const char* name : {"itextsharp.dll", "ACAD2007P.dll", "ACAD2013P.dll"}) {
        EXPECT_EQ(name, machine.fake.files.ReadFile(host.folder + "\\" + name));
      }
    }
  }
}

TEST(FaultMatrix, EveryCallFailingOnceOrFromThenOnKeepsTheRules) {
  Machine clean;
  ASSERT_TRUE(clean.Install());
  ExpectTheRulesHeld(clean, true, "no fault");
  const int registryCalls = clean.fake.registry.CallCount();
  const int fileCalls = static_cast<int>(clean.fake.files.Log().size());
  ASSERT_GT(registryCalls, 50);
  ASSERT_GT(fileCalls, 50);

  int runs = 0;
  for (bool onFiles : {false, true}) {
    for (int nth = 1; nth <= (onFiles ? fileCalls : registryCalls); ++nth) {
      for (bool once : {true, false}) {
        Machine machine;
        Fault fault = Fault("*").Nth(nth);
        if (once) fault.Once();
        if (onFiles) {
          machine.fake.files.Fail(fault);
        } else {
          machine.fake.registry.Fail(fault);
        }
        const bool installed = machine.Install();
        ExpectTheRulesHeld(machine, installed,
                           std::string(onFiles ? "file" : "registry") + " call " +
                               std::to_string(nth) + (once ? " once" : " on"));
        EXPECT_EQ(0, machine.fake.registry.OpenHandleCount());
        ++runs;
      }
    }
  }
  std::printf("fault matrix: %d runs, %d registry and %d file-system calls each failed\n", runs,
              registryCalls, fileCalls);
}

}  // namespace
