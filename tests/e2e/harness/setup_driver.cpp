#include "e2e/harness/setup_driver.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr char kSetupCaption[] = "B-批打印软件安装";
constexpr UINT kSendTimeout = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

std::string setupExePath;
std::string setup32ExePath;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                       kSendTimeout, result ? result : &ignored) != 0;
}

std::wstring ClassName(HWND window) {
  constexpr int kCapacity = 64;
  wchar_t name[kCapacity] = L"";
  const int length = GetClassNameW(window, name, kCapacity);
  return length > 0 && length < kCapacity - 1 ? name : L"";
}

// The visible dialogs (message boxes included) among the top-level windows of a process.
struct DialogSearch {
  DWORD processId;  // 0: any process but this one
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleDialog(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<DialogSearch*>(search);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const bool wanted =
      s->processId == 0 ? processId != GetCurrentProcessId() : processId == s->processId;
  if (wanted && IsWindowVisible(window) && ClassName(window) == kDialogClass) {
    s->found.push_back(window);
  }
  return TRUE;
}

// Whether a process has any visible top-level window.
struct WindowSearch {
  DWORD processId;
  bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<WindowSearch*>(search);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == s->processId && IsWindowVisible(window)) s->found = true;
  return TRUE;
}

// Removes a file or a folder with everything in it.
void RemoveTree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const std::string& SetupExePath() { return setupExePath; }

void SetSetupExePath(const std::string& path) { setupExePath = path; }

const std::string& Setup32ExePath() { return setup32ExePath; }

void SetSetup32ExePath(const std::string& path) {
  wchar_t runs[2] = L"";
  const DWORD length = GetEnvironmentVariableW(L"SETUP_WINE_RUNS_32BIT", runs, 2);
  const bool cannotRun = length == 1 && runs[0] == L'0';
  setup32ExePath = cannotRun ? std::string() : path;
}

std::string ToWindowsPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') {
    std::string windows = "Z:" + path;
    for (char& c : windows) {
      if (c == '/') c = '\\';
    }
    return windows;
  }
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(Widened(path).c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? Narrowed(std::wstring(full, length)) : path;
}

// ---- Files and keys --------------------------------------------------------

std::optional<std::string> ReadFileContent(const std::string& path) {
  const HANDLE file = CreateFileW(Widened(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> content = std::string();
  char chunk[4096];
  DWORD read = 0;
  do {
    if (!ReadFile(file, chunk, sizeof(chunk), &read, nullptr)) {
      content.reset();
      break;
    }
    content->append(chunk, read);
  } while (read > 0);
  CloseHandle(file);
  return content;
}

bool WriteFileContent(const std::string& path, const std::string& content) {
  const HANDLE file = CreateFileW(Widened(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
      written == content.size();
  CloseHandle(file);
  return ok;
}

bool CreateFolder(const std::string& path) {
  return CreateDirectoryW(Widened(path).c_str(), nullptr) != 0;
}

std::string BesideThisProgram(const char* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string program =
      length > 0 && length < MAX_PATH ? Narrowed(std::wstring(path, length)) : "";
  return program.substr(0, program.find_last_of('\\') + 1) + name;
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, Widened(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// ---- ScratchFolder ---------------------------------------------------------

ScratchFolder::ScratchFolder() {
  static unsigned counter = 0;
  wchar_t temp[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  std::string base =
      length > 0 && length < MAX_PATH ? Narrowed(std::wstring(temp, length)) : "C:\\";
  if (base.back() != '\\') base += '\\';
  do {
    m_path = base + "setup-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
  } while (!CreateDirectoryW(Widened(m_path).c_str(), nullptr) &&
           GetLastError() == ERROR_ALREADY_EXISTS);
  m_createdTop = m_path;
}

ScratchFolder::ScratchFolder(std::string path) : m_path(std::move(path)) {
  RemoveTree(Widened(m_path));
  // Every level from the drive's root on: the first one missing is the
  // outermost this object creates.
  for (std::string::size_type end = m_path.find('\\', 3);; end = m_path.find('\\', end + 1)) {
    const std::string level = m_path.substr(0, end);
    if (!FolderExists(Widened(level))) {
      if (m_createdTop.empty()) m_createdTop = level;
      CreateFolder(level);
    }
    if (end == std::string::npos) break;
  }
}

ScratchFolder::~ScratchFolder() {
  if (!m_createdTop.empty()) RemoveTree(Widened(m_createdTop));
}

std::string ScratchFolder::Child(const std::string& relative) const {
  return m_path + "\\" + relative;
}

bool ScratchFolder::AddFolder(const std::string& relative) const {
  return CreateFolder(Child(relative));
}

bool ScratchFolder::AddFile(const std::string& relative, const std::string& content) const {
  return WriteFileContent(Child(relative), content);
}

ScratchDistribution::ScratchDistribution(const std::string& setupExe)
    : m_setupPath(Child("SetUp.exe")),
      m_ready(CopyFileW(Widened(setupExe).c_str(), Widened(m_setupPath).c_str(), FALSE) != 0) {}

// ---- Registry --------------------------------------------------------------

ScratchKeyTree::ScratchKeyTree(HKEY root, std::string path)
    : m_root(root), m_path(std::move(path)) {
  RegDeleteTreeW(m_root, Widened(m_path).c_str());
  // The outermost key on the path that is missing now is the one to remove
  // at the end; a first-level key (SOFTWARE) is never a candidate.
  std::string::size_type end = m_path.find('\\');
  do {
    end = end == std::string::npos ? end : m_path.find('\\', end + 1);
    m_createdTop = m_path.substr(0, end);
  } while (end != std::string::npos && RegistryKeyExists(m_root, m_createdTop));
}

ScratchKeyTree::~ScratchKeyTree() { RegDeleteTreeW(m_root, Widened(m_createdTop).c_str()); }

bool ScratchKeyTree::SetValues(
    const std::string& relative,
    const std::vector<std::pair<std::string, std::string>>& values) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(m_root, Widened(m_path + "\\" + relative).c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool ok = true;
  for (const auto& value : values) {
    const std::wstring data = Widened(value.second);
    ok = ok &&
         RegSetValueExW(key, Widened(value.first).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return ok;
}

AcadInstallation SampleInstallation(int year, const char* baseKey) {
  // Release key and product-code prefix of each year, 2007 first.
  struct ReleaseKeys {
    const char* release;
    const char* product;
  };
  static const ReleaseKeys kReleases[] = {
      {"R17.0", "ACAD-5001"}, {"R17.1", "ACAD-6001"}, {"R17.2", "ACAD-7001"},
      {"R18.0", "ACAD-8001"}, {"R18.1", "ACAD-9001"}, {"R18.2", "ACAD-A001"},
      {"R19.0", "ACAD-B001"}, {"R19.1", "ACAD-D001"}, {"R20.0", "ACAD-E001"},
      {"R20.1", "ACAD-F001"}, {"R21.0", "ACAD-0001"}, {"R22.0", "ACAD-1001"},
      {"R23.0", "ACAD-2001"}, {"R23.1", "ACAD-3001"}, {"R24.0", "ACAD-4101"},
      {"R24.1", "ACAD-5101"}, {"R24.2", "ACAD-6101"}, {"R24.3", "ACAD-7101"},
      {"R25.0", "ACAD-8101"},
  };
  const ReleaseKeys& release = kReleases[year - 2007];
  const std::string yearText = std::to_string(year);
  return AcadInstallation{baseKey, release.release, std::string(release.product) + ":804",
                          "C:\\Program Files\\AutoCAD " + yearText,
                          "AutoCAD " + yearText + " - 简体中文 (Simplified Chinese)"};
}

ScratchAcadRegistry::ScratchAcadRegistry()
    : m_machine(HKEY_LOCAL_MACHINE, kAcadBaseKey),
      m_machineWow64(HKEY_LOCAL_MACHINE, kAcadWow64BaseKey),
      m_user(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD"),
      m_entry(HKEY_LOCAL_MACHINE, kProductEntryKey),
      m_entryWow64(HKEY_LOCAL_MACHINE, kProductEntryWow64Key),
      m_userEntry(HKEY_CURRENT_USER, kProductEntryKey) {}

bool ScratchAcadRegistry::AddInstallation(const AcadInstallation& installation) const {
  const ScratchKeyTree& tree =
      std::string(installation.baseKey) == kAcadWow64BaseKey ? m_machineWow64 : m_machine;
  const std::string productKey = installation.releaseKey + "\\" + installation.productKey;
  return tree.SetValues(productKey, {{"AcadLocation", installation.location},
                                     {"ProductName", installation.productName}}) &&
         tree.SetValues(productKey + "\\Applications", {});
}

bool ScratchAcadRegistry::AddProfile(
    const std::string& releaseKey, const std::string& productKey, const std::string& profileName,
    const std::vector<std::pair<std::string, std::string>>& variables) const {
  return m_user.SetValues(
      releaseKey + "\\" + productKey + "\\Profiles\\" + profileName + "\\Variables", variables);
}

WindowDriver WaitForBoxOfAnyProcess(const std::string& caption, DWORD timeout) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        DialogSearch search{0, {}};
        EnumWindows(&CollectVisibleDialog, reinterpret_cast<LPARAM>(&search));
        for (HWND window : search.found) {
          if (WindowDriver(window).Caption() == caption) box = window;
        }
        return box != nullptr;
      },
      timeout);
  return WindowDriver(box);
}

// ---- WindowDriver ----------------------------------------------------------

std::string WindowDriver::Caption() const {
  constexpr int kCapacity = 256;
  wchar_t caption[kCapacity] = L"";
  const int length = GetWindowTextW(m_window, caption, kCapacity);
  // A caption that fills the buffer may have been cut: it is none of ours.
  return length > 0 && length < kCapacity - 1 ? Narrowed(std::wstring(caption, length)) : "";
}

HWND WindowDriver::Control(int id) const { return m_window ? GetDlgItem(m_window, id) : nullptr; }

bool WindowDriver::Visible(int id) const { return IsWindowVisible(Control(id)) != 0; }

bool WindowDriver::Enabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }

bool WindowDriver::Checked(int id) const {
  DWORD_PTR state = 0;
  return Send(Control(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

std::string WindowDriver::Text(int id) const {
  // Another process's control: only WM_GETTEXT gives its current text.
  const HWND control = Control(id);
  DWORD_PTR length = 0;
  if (!Send(control, WM_GETTEXTLENGTH, 0, 0, &length) || length == 0) return "";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &copied))
    return "";
  text.resize(copied);
  return Narrowed(text);
}

bool WindowDriver::SetText(int id, const std::string& text) const {
  return Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widened(text).c_str()));
}

bool WindowDriver::Click(int id) const { return Send(Control(id), BM_CLICK, 0, 0); }

bool WindowDriver::PostClick(int id) const {
  const HWND control = Control(id);
  return control && PostMessageW(control, BM_CLICK, 0, 0);
}

bool WindowDriver::PostCommand(int id) const {
  const HWND control = Control(id);
  return control && PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(control));
}

bool WindowDriver::PostClose() const { return m_window && PostMessageW(m_window, WM_CLOSE, 0, 0); }

bool WindowDriver::PostKey(UINT virtualKey) const {
  // The dialog's message loop turns Escape into IDCANCEL and Enter into the
  // default command, whichever control has the focus.
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const DWORD threadId = GetWindowThreadProcessId(m_window, nullptr);
  const HWND target =
      GetGUIThreadInfo(threadId, &thread) && thread.hwndFocus ? thread.hwndFocus : m_window;
  const LPARAM repeatAndScanCode = 1 | MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16;
  return m_window && PostMessageW(target, WM_KEYDOWN, virtualKey, repeatAndScanCode);
}

std::string MessageBoxText(const WindowDriver& box) { return box.Text(kMessageBoxTextId); }

// ---- SetupProcess ----------------------------------------------------------

SetupProcess::SetupProcess(const std::string& setupPath, const std::string& arguments) {
  const std::string folder = setupPath.substr(0, setupPath.find_last_of('\\'));
  std::wstring commandLine =
      Widened("\"" + setupPath + "\"" + (arguments.empty() ? "" : " " + arguments));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(Widened(setupPath).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, Widened(folder).c_str(), &startup, &m_process)) {
    m_process = PROCESS_INFORMATION{};
  }
}

SetupProcess::~SetupProcess() {
  if (!started()) return;
  if (!WaitForExit(0)) Kill();
  CloseHandle(m_process.hThread);
  CloseHandle(m_process.hProcess);
}

std::vector<HWND> SetupProcess::VisibleDialogs() const {
  DialogSearch search{m_process.dwProcessId, {}};
  EnumWindows(&CollectVisibleDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

WindowDriver SetupProcess::WaitForDialog(DWORD timeout) {
  WaitUntil(
      [this] {
        for (HWND window : VisibleDialogs()) {
          if (WindowDriver(window).Caption() == kSetupCaption) {
            m_dialog = window;
            return true;
          }
        }
        return false;
      },
      timeout);
  return WindowDriver(m_dialog);
}

WindowDriver SetupProcess::WaitForDialogBesides(const std::vector<HWND>& shown,
                                                DWORD timeout) const {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : VisibleDialogs()) {
          if (window != m_dialog && std::find(shown.begin(), shown.end(), window) == shown.end())
            box = window;
        }
        return box != nullptr;
      },
      timeout);
  return WindowDriver(box);
}

bool SetupProcess::WaitForExit(DWORD timeout) const {
  return started() && WaitForSingleObject(m_process.hProcess, timeout) == WAIT_OBJECT_0;
}

bool SetupProcess::ShowsAWindowBeforeItEnds(DWORD timeout) const {
  bool shown = false;
  const bool ended = WaitUntil(
      [&] {
        WindowSearch search{m_process.dwProcessId, false};
        EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        shown = shown || search.found;
        return WaitForExit(0);
      },
      timeout);
  return shown || !ended;
}

DWORD SetupProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (started()) GetExitCodeProcess(m_process.hProcess, &code);
  return code;
}

void SetupProcess::Kill() const {
  if (!started()) return;
  TerminateProcess(m_process.hProcess, 1);
  WaitForSingleObject(m_process.hProcess, kExitTimeout);
}
