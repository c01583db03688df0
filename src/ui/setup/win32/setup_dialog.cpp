#include "ui/setup/win32/setup_dialog.h"

#include "platform/win32/command_map.h"
#include "platform/win32/data_exchange.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_registry_view.h"
#include "ui/setup/bitness_notice.h"
#include "ui/setup/build_constants.h"
#include "ui/setup/setup_dialog_model.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

using win32::DdxControl;
using win32::Exchange;
using win32::Open64BitRegistryView;
using win32::Win32MessageBoxes;

namespace ui {

namespace {

constexpr COLORREF kBackgroundColor = RGB(170, 210, 150);
constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kHeadingColor = RGB(10, 70, 40);
constexpr char kHeadingFace[] = "宋体";

}  // namespace

SetupDialog::SetupDialog(platform::Platform& platform, const base::Installations& installations,
                         const SetupChoice& choice)
    : win32::CDialog(IDD_SETUP, nullptr),
      m_platform(platform),
      m_installations(installations),
      m_initialBoxes(choice.boxes),
      m_logFile(choice.logFile),
      m_installPath(choice.folder) {}

void SetupDialog::DoDataExchange(Exchange direction) {
  for (int year = base::kLastReleaseYear; year >= base::kFirstReleaseYear; --year) {
    DdxControl(m_window, ReleaseBoxId(year), m_releaseBoxes[base::ReleaseIndex(year)]);
  }
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    DdxCheck(m_window, ReleaseBoxId(year), m_ticks[base::ReleaseIndex(year)], direction);
  }
  DdxText(m_window, IDC_TITLE, m_title, direction);
  DdxText(m_window, IDC_BITNESS, m_bitness, direction);
  DdxControl(m_window, IDC_PROGRESS, m_progress);
  DdxText(m_window, IDC_INSTALL_PATH, m_installPath, direction);
}

BOOL SetupDialog::OnInitDialog() {
  win32::CDialog::OnInitDialog();
  m_backgroundBrush.CreateSolidBrush(kBackgroundColor);
  m_titleFont.Create(14, 600, ANSI_CHARSET, kHeadingFace);
  m_bitnessFont.Create(13, 400, ANSI_CHARSET, kHeadingFace);
  m_title = ComposeVersionTitle(kProductVersion);
  m_bitness = ComposeBitnessCaption(kAcadBitness);
  SetSmallIcon();
  ApplyInitialReleaseBoxes();
  UpdateData(Exchange::kToControls);
  UpdateInstallButton();
  return TRUE;
}

void SetupDialog::OnShown() {
  const win32::ScopedPromptOwner owner(Win32MessageBoxes(), m_window);
  NoticeIfHostsNeed64BitSetup(m_platform, m_initialBoxes, kAcadBitness,
                              Open64BitRegistryView().get());
}

void SetupDialog::SetSmallIcon() {
  const HANDLE icon =
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  if (icon) SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void SetupDialog::ApplyInitialReleaseBoxes() {
  for (int k = 0; k < base::kReleaseCount; ++k) {
    const ReleaseBoxState& box = m_initialBoxes[k];
    if (!box.enabled) m_releaseBoxes[k].EnableWindow(false);
    if (!box.visible) m_releaseBoxes[k].ShowWindow(SW_HIDE);
    m_ticks[k] = box.tick;
  }
}

void SetupDialog::UpdateInstallButton() {
  UpdateData(Exchange::kToMembers);
  GetDlgItem(IDC_INSTALL).EnableWindow(AnyReleaseTicked(m_ticks));
}

bool SetupDialog::OnCommand(WORD id, WORD code) {
  static const win32::CommandRoute<SetupDialog> kRoutes[] = {
      {0, BN_CLICKED, &SetupDialog::OnCheckRelease, &IsReleaseBoxId},
      {IDC_BROWSE, BN_CLICKED, &SetupDialog::OnBrowse},
      {IDC_INSTALL, BN_CLICKED, &SetupDialog::OnInstall},
  };
  return win32::RouteCommand(*this, kRoutes, id, code) || win32::CDialog::OnCommand(id, code);
}

HBRUSH SetupDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  win32::CDialog::OnCtlColor(dc, control, message);  // default colours first; its brush is not used
  const int id = control == m_window ? 0 : GetDlgCtrlID(control);
  SetTextColor(dc, kTextColor);
  if (id != IDC_INSTALL_PATH) SetBkMode(dc, TRANSPARENT);
  const win32::CFont* heading = id == IDC_TITLE     ? &m_titleFont
                                : id == IDC_BITNESS ? &m_bitnessFont
                                                    : nullptr;
  if (heading) {
    if (heading->GetSafeHandle()) SelectObject(dc, heading->GetSafeHandle());
    SetTextColor(dc, kHeadingColor);
  }
  return m_backgroundBrush.GetSafeHandle();
}

void SetupDialog::OnCheckRelease() { UpdateInstallButton(); }

// Enter reaches the dialog as IDOK, the completion button's command, in every
// view. It ends the dialog only from the completion view; in the settings
// view it does what the visible default, Install, does, when Install can run.
void SetupDialog::OnOK() {
  if (GetDlgItem(IDOK).IsWindowVisible()) {
    win32::CDialog::OnOK();
    return;
  }
  const win32::CWindow install = GetDlgItem(IDC_INSTALL);
  if (install.IsWindowVisible() && install.IsWindowEnabled()) OnInstall();
}

}  // namespace ui
