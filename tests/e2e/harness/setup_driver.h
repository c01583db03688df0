#pragma once
// Drives the real SetUp.exe from outside, as a user would: prepares a
// distribution folder and the AutoCAD registry keys, starts the program,
// finds its dialog and message boxes, reads and clicks their controls.
// Texts are UTF-8, paths and registry names included; they cross into
// Windows through the wide calls only (utf16_text.h).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/harness/utf16_text.h"

// Timeouts in milliseconds.
constexpr DWORD kWindowTimeout = 20000;
constexpr DWORD kExitTimeout = 10000;

// The bitness of the SetUp.exe under test: each Windows build's test
// programs test that build's program.
constexpr int kProgramBitness = sizeof(void*) == 8 ? 64 : 32;

// Polls `condition` until it holds (true) or the timeout has passed (false).
// Meanwhile the messages of this thread's own windows are handled.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout = kWindowTimeout) {
  constexpr DWORD kPollInterval = 50;
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollInterval, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

// The SetUp.exe under test (Windows path), from --setup-exe.
const std::string& SetupExePath();
void SetSetupExePath(const std::string& path);
// The 32-bit SetUp.exe, from --setup32-exe, for the 64-bit tests that start
// it in their 64-bit prefix; empty when not given, or when this machine
// cannot run 32-bit programs (SETUP_WINE_RUNS_32BIT=0).
const std::string& Setup32ExePath();
void SetSetup32ExePath(const std::string& path);

// A path as Windows programs take it: a Unix path (/tmp/x) becomes Z:\tmp\x,
// a Windows path is made absolute.
std::string ToWindowsPath(const std::string& path);

// The whole content of a file; nullopt when it cannot be read.
std::optional<std::string> ReadFileContent(const std::string& path);
// Creates or replaces a file with `content`; false on failure.
bool WriteFileContent(const std::string& path, const std::string& content);
// Creates a folder whose parent exists; false on failure.
bool CreateFolder(const std::string& path);

// A file built beside this test program.
std::string BesideThisProgram(const char* name);

bool RegistryKeyExists(HKEY root, const std::string& path);

// Run as `e2e_tests.exe --idle=MILLISECONDS`, the test program only sleeps
// that long: a copy of it serves as a running process of any image name.
constexpr char kIdleFlag[] = "--idle=";

// A fresh folder below %TEMP%, removed with its contents at destruction.
class ScratchFolder {
 public:
  ScratchFolder();
  // A folder at a given absolute path, for tests that need a particular
  // name: what an earlier run left there is removed first, every missing
  // level is created, and the outermost level it created is removed at
  // destruction.
  explicit ScratchFolder(std::string path);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return m_path; }
  // path() + "\" + relative.
  std::string Child(const std::string& relative) const;
  // Creates a folder below it (its parent must exist); false on failure.
  bool AddFolder(const std::string& relative) const;
  // Creates or replaces a file below it; false on failure.
  bool AddFile(const std::string& relative, const std::string& content) const;

 private:
  std::string m_path;
  std::string m_createdTop;  // the outermost folder this object creates
};

// An unpacked distribution: SetUp.exe copied into a scratch folder. The
// payload (a Data folder, or the flat layout) is added by the test.
class ScratchDistribution : public ScratchFolder {
 public:
  explicit ScratchDistribution(const std::string& setupExe);
  const std::string& setupPath() const { return m_setupPath; }
  bool ready() const { return m_ready; }

 private:
  std::string m_setupPath;
  bool m_ready;
};

// A registry key tree that the tests own: emptied at construction (left-overs
// of an earlier run), removed at destruction together with every parent key
// that did not exist before.
class ScratchKeyTree {
 public:
  ScratchKeyTree(HKEY root, std::string path);
  ~ScratchKeyTree();
  ScratchKeyTree(const ScratchKeyTree&) = delete;
  ScratchKeyTree& operator=(const ScratchKeyTree&) = delete;

  // Creates path() + "\" + relative (every missing key on the way) and sets
  // its REG_SZ values; false on failure.
  bool SetValues(const std::string& relative,
                 const std::vector<std::pair<std::string, std::string>>& values) const;

 private:
  HKEY m_root;
  std::string m_path;
  std::string m_createdTop;  // the outermost key this object creates
};

// Base keys of AutoCAD's installations (HKEY_LOCAL_MACHINE).
constexpr char kAcadBaseKey[] = "SOFTWARE\\Autodesk\\AutoCAD";
constexpr char kAcadWow64BaseKey[] = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD";

struct AcadInstallation {
  const char* baseKey;      // kAcadBaseKey or kAcadWow64BaseKey
  std::string releaseKey;   // "R17.1"
  std::string productKey;   // "ACAD-6001:804"
  std::string location;     // value "AcadLocation"
  std::string productName;  // value "ProductName", carries the year
};

// A typical installation of a release year (2007..2025): its real release and
// product key names, location "C:\Program Files\AutoCAD <year>" and product
// name "AutoCAD <year> - 简体中文 (Simplified Chinese)".
AcadInstallation SampleInstallation(int year, const char* baseKey = kAcadBaseKey);

// The product's Programs and Features entry, in the 64-bit program's view
// and in the 32-bit program's on 64-bit Windows.
constexpr char kProductEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B-PlotSweep";
constexpr char kProductEntryWow64Key[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B-PlotSweep";

// AutoCAD's registry as the tests set it up: no installation at first (a
// product key with its empty Applications key, as AutoCAD leaves it), and
// no entry of the product in Programs and Features.
class ScratchAcadRegistry {
 public:
  ScratchAcadRegistry();
  bool AddInstallation(const AcadInstallation& installation) const;
  // HKCU ...\AutoCAD\<release>\<product>\Profiles\<profile>\Variables,
  // holding the given REG_SZ values.
  bool AddProfile(const std::string& releaseKey, const std::string& productKey,
                  const std::string& profileName,
                  const std::vector<std::pair<std::string, std::string>>& variables = {}) const;

 private:
  ScratchKeyTree m_machine;
  ScratchKeyTree m_machineWow64;
  ScratchKeyTree m_user;
  ScratchKeyTree m_entry;
  ScratchKeyTree m_entryWow64;
  ScratchKeyTree m_userEntry;
};

// A top-level window of the program (its dialog or a message box) and the
// controls in it. Every message is sent with a timeout, so a hung program
// fails the test instead of blocking it.
class WindowDriver {
 public:
  explicit WindowDriver(HWND window = nullptr) : m_window(window) {}
  HWND hwnd() const { return m_window; }

  std::string Caption() const;
  HWND Control(int id) const;
  bool Exists(int id) const { return Control(id) != nullptr; }
  bool Visible(int id) const;
  bool Enabled(int id) const;
  bool Checked(int id) const;
  std::string Text(int id) const;
  bool SetText(int id, const std::string& text) const;

  // Clicks a button and returns when the program has handled the click.
  bool Click(int id) const;
  // Clicks a button and returns at once: for a click that opens a modal
  // message box or dialog (Click would wait until that closes).
  bool PostClick(int id) const;
  // Posts the command a click on button `id` sends, without the click's
  // activation of the window: as from a program that is not in front.
  bool PostCommand(int id) const;
  // The close box (WM_CLOSE).
  bool PostClose() const;
  // A key press (VK_ESCAPE, VK_RETURN, ...) to the focused control, as the
  // keyboard would send it.
  bool PostKey(UINT virtualKey) const;

 private:
  HWND m_window;
};

// SetUp.exe started in its folder, with `arguments` after its name; killed
// at destruction if still running.
class SetupProcess {
 public:
  explicit SetupProcess(const std::string& setupPath, const std::string& arguments = "");
  ~SetupProcess();
  SetupProcess(const SetupProcess&) = delete;
  SetupProcess& operator=(const SetupProcess&) = delete;

  bool started() const { return m_process.hProcess != nullptr; }

  // The setup dialog once it is shown; an empty driver on timeout.
  WindowDriver WaitForDialog(DWORD timeout = kWindowTimeout);
  // A message box (a dialog of the process other than the setup dialog) once
  // it is shown; an empty driver on timeout.
  WindowDriver WaitForMessageBox(DWORD timeout = kWindowTimeout) const {
    return WaitForDialogBesides({}, timeout);
  }
  // A dialog of the process other than the setup dialog and those `shown`.
  WindowDriver WaitForDialogBesides(const std::vector<HWND>& shown,
                                    DWORD timeout = kWindowTimeout) const;
  // true when the process has ended within the timeout.
  bool WaitForExit(DWORD timeout = kExitTimeout) const;
  // Waits for the end of the process, watching all along for a visible
  // top-level window of it: true when one showed (or the time ran out).
  bool ShowsAWindowBeforeItEnds(DWORD timeout) const;
  // The exit code once the process has ended.
  DWORD ExitCode() const;
  void Kill() const;

 private:
  std::vector<HWND> VisibleDialogs() const;

  PROCESS_INFORMATION m_process{};
  HWND m_dialog = nullptr;
};

// A dialog of any other process with `caption`, once one shows (the
// uninstaller's copy shows them); an empty driver on timeout.
WindowDriver WaitForBoxOfAnyProcess(const std::string& caption, DWORD timeout = kWindowTimeout);

// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(const WindowDriver& box);
