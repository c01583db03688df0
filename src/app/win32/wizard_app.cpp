#include "app/win32/wizard_app.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/command_line.h"
#include "app/setup_state.h"
#include "install/install_messages.h"
#include "platform/win32/win32_platform.h"
#include "ui/setup/build_constants.h"
#include "ui/setup/setup_choice.h"
#include "ui/setup/unattended.h"
#include "ui/setup/win32/dlg_setup.h"

using win32::Win32MessageBoxes;
using win32::Win32Platform;

// Constructed in this order, destroyed in the reverse order at exit.
CWizardApp theApp;
SetupState g_setupState(Win32Platform());

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

void ShowRefusal(const std::string& problem) {
  Win32MessageBoxes().Show("命令行参数无效：" + problem + "\n\n" + app::kCommandLineHelp,
                           kSetupCaption, kMbOk | kMbIconWarning);
}

// With /S: the same ports, but questions answered without a box.
int InstallUnattended(const app::CommandLine& line) {
  const Platform& windows = Win32Platform();
  ui::SilentPrompt silent;
  Platform platform{windows.registry, windows.files, windows.environment, windows.processes,
                    silent};
  SetupState state(platform);
  state.FindAcadReleases();
  return ui::RunUnattended(state, line, g_nAcadBitness);
}

}  // namespace

bool CWizardApp::InitInstance() {
  app::CommandLine line;
  std::string problem;
  if (!app::ParseCommandLine(ArgumentsOf(GetCommandLineA()), &line, &problem)) {
    if (!line.unattended) ShowRefusal(problem);
    m_nExitCode = ui::kExitRefused;
    return false;
  }
  if (line.unattended) {
    m_nExitCode = InstallUnattended(line);
    return false;
  }
  // The setup dialog holds a progress bar.
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&commonControls);
  g_setupState.FindAcadReleases();
  ui::SetupChoice choice;
  if (!ui::ChooseSetup(line, g_setupState, g_nAcadBitness, &choice, &problem)) {
    ShowRefusal(problem);
    m_nExitCode = ui::kExitRefused;
    return false;
  }
  Dlg_Setup dialog;
  dialog.Preset(choice);
  dialog.DoModal();
  return false;
}
