#include "app/program.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/uninstaller_handover.h"
#include "base/command_line.h"
#include "discovery/host_discovery.h"
#include "install/install_messages.h"
#include "platform/win32/file_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "ui/setup/build_constants.h"
#include "ui/setup/setup_choice.h"
#include "ui/setup/unattended.h"
#include "ui/setup/uninstall.h"
#include "ui/setup/win32/setup_dialog.h"

using win32::Win32Platform;

namespace app {

namespace {

// The command line after the program's own name, which is quoted or ends at
// the first space or tab.
std::string ArgumentsOf(const std::string& commandLine) {
  std::size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    at = commandLine.find('"', 1);
    at = at == std::string::npos ? commandLine.size() : at + 1;
  } else {
    at = std::min(commandLine.find_first_of(" \t"), commandLine.size());
  }
  return commandLine.substr(at);
}

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD

// GetCommandLineW as UTF-8: false when it holds a lone surrogate, which has
// no UTF-8 form; `text` then has U+FFFD in its place, to be refused as a bad
// command line is.
bool CommandLineText(std::string* text) {
  if (win32::ToUtf8(GetCommandLineW(), std::string::npos, text)) return true;
  *text = win32::Utf8(GetCommandLineW());
  return false;
}

void Refuse(platform::Platform& platform, const std::string& problem) {
  platform.prompt.Show(base::RefusalText(problem), install::kSetupCaption,
                       platform::kMbOk | platform::kMbIconWarning);
}

// The setup dialog, starting from the command line's folder and releases.
int RunDialog(const base::CommandLine& line) {
  // The setup dialog holds a progress bar. The common controls are not
  // imported: comctl32 is no known DLL, and would be looked for beside the
  // program before WinMain could restrict the search.
  using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto initCommonControlsEx = win32::SystemFunction<InitCommonControlsExFn>(
      win32::LoadSystemLibrary("comctl32.dll"), "InitCommonControlsEx");
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_PROGRESS_CLASS};
  if (initCommonControlsEx) initCommonControlsEx(&commonControls);
  platform::Platform& platform = Win32Platform();
  const base::Installations installations = discovery::FindInstallations(platform.registry);
  ui::SetupChoice choice;
  choice.folder = ui::RecordedFolder(platform.registry).value_or(ui::kDefaultFolder);
  std::string problem;
  if (!ui::ChooseSetup(line, installations, ui::kAcadBitness, &choice, &problem)) {
    Refuse(platform, problem);
    return ui::kExitRefused;
  }
  ui::SetupDialog dialog(platform, installations, choice);
  dialog.DoModal();
  return dialog.ExitCode();
}

// The program's one flow for a parsed command line, or its refusal. With /S
// every message is answered without a box, and written to the log.
int Run(const base::CommandLine& line, bool parsed, const std::string& problem) {
  const platform::Platform& windows = Win32Platform();
  ui::SilentPrompt silent;
  platform::LoggingPrompt loggedSilent(silent, win32::InstallLog());
  platform::Platform platform{windows.registry, windows.files, windows.environment,
                              windows.processes, line.unattended ? loggedSilent : windows.prompt};
  if (!parsed) {
    Refuse(platform, problem);
    return ui::kExitRefused;
  }
  if (line.uninstall) {
    return ui::RunUninstall(platform, discovery::FindInstallations(platform.registry), line,
                            ParkingFolder());
  }
  if (!line.unattended && !line.elevated) return RunDialog(line);
  return ui::RunUnattended(platform, discovery::FindInstallations(platform.registry), line,
                           ui::kAcadBitness);
}

}  // namespace

int RunProgram() {
  std::string commandLine;
  const bool whole = CommandLineText(&commandLine);
  const std::string arguments = ArgumentsOf(commandLine);
  base::CommandLine line;
  std::string problem;
  bool parsed = base::ParseCommandLine(arguments, &line, &problem);
  if (!whole) {
    if (parsed) {
      problem = arguments.substr(std::min(arguments.find_first_not_of(' '), arguments.size()));
    }
    parsed = false;
    // Such a log path names another file than the one meant.
    if (line.logFile && line.logFile->find(kReplacementCharacter) != std::string::npos) {
      line.logFile.reset();
    }
  }
  // The uninstaller uninstalls, as Programs and Features expects; in its
  // install folder, from a copy of itself, so that it can be removed too.
  if (IsUninstaller()) line.uninstall = true;
  if (parsed && line.uninstall && IsInstalledUninstaller()) {
    if (const auto exitCode = RunUninstallFromCopy(line)) return *exitCode;
  }
  // The log is kept whenever it was asked for, so that a refusal is in it
  // too. The copy started as administrator adds to its starter's log; both
  // name themselves by process.
  std::unique_ptr<win32::FileLog> log;
  if (line.logFile) {
    log = std::make_unique<win32::FileLog>(*line.logFile, line.elevated);
    if (log->ok()) {
      win32::InstallLog().Attach(log.get());
      log->Line("SetUp.exe" + arguments + "（进程 " + std::to_string(GetCurrentProcessId()) + "）");
      line.logFile = log->FullPath();
    } else if (parsed) {
      parsed = false;
      problem = "/LOG=" + *line.logFile;
    }
  }
  const int exitCode = Run(line, parsed, problem);
  if (log && log->ok()) log->Line("退出代码：" + std::to_string(exitCode));
  win32::InstallLog().Attach(nullptr);
  return exitCode;
}

}  // namespace app
