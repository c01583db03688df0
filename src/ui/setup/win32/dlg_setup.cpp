#include "ui/setup/win32/dlg_setup.h"

#include "app/setup_state.h"
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

using ui::CountReleaseFolders;
using ui::InitialReleaseBoxes;

using ui::AnyReleaseTicked;
using ui::ComposeBitnessCaption;
using ui::ComposeVersionTitle;
using ui::NoticeIfHostsNeed64BitSetup;
using ui::ReleaseBoxState;
using ui::ReleaseBoxStates;

namespace {

constexpr COLORREF kBackgroundColor = RGB(170, 210, 150);
constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kHeadingColor = RGB(10, 70, 40);
constexpr char kHeadingFace[] = "宋体";

}  // namespace

Dlg_Setup::Dlg_Setup(HWND parent) : CDialog(IDD_SETUP, parent), m_strInstallPath("C:\\Brenix") {
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) ReleaseTick(year) = 1;
}

void Dlg_Setup::Preset(const ui::SetupChoice& choice) {
  m_strInstallPath = choice.folder;
  m_presetBoxes = choice.boxes;
  m_logFile = choice.logFile;
}

CButton& Dlg_Setup::ReleaseBox(int year) { return this->*ReleaseRowOf(year).box; }

int& Dlg_Setup::ReleaseTick(int year) { return this->*ReleaseRowOf(year).tick; }

ReleaseTicks Dlg_Setup::Ticks() {
  ReleaseTicks ticks;
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    ticks[ReleaseIndex(year)] = ReleaseTick(year);
  }
  return ticks;
}

void Dlg_Setup::DoDataExchange(Exchange direction) {
  for (int year = kLastReleaseYear; year >= kFirstReleaseYear; --year) {
    DdxControl(m_hWnd, ReleaseBoxId(year), ReleaseBox(year));
  }
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    DdxCheck(m_hWnd, ReleaseBoxId(year), ReleaseTick(year), direction);
  }
  DdxText(m_hWnd, IDC_TITLE, m_strTitle, direction);
  DdxText(m_hWnd, IDC_BITNESS, m_strBitness, direction);
  DdxControl(m_hWnd, IDC_PROGRESS, m_progress);
  DdxText(m_hWnd, IDC_INSTALL_PATH, m_strInstallPath, direction);
}

BOOL Dlg_Setup::OnInitDialog() {
  CDialog::OnInitDialog();
  m_brushBack.CreateSolidBrush(kBackgroundColor);
  m_fontTitle.Create(14, 600, ANSI_CHARSET, kHeadingFace);
  m_fontBitness.Create(13, 400, ANSI_CHARSET, kHeadingFace);
  m_strTitle = ComposeVersionTitle(g_nProductVersion);
  m_strBitness = ComposeBitnessCaption(g_nAcadBitness);
  SetSmallIcon();
  ApplyInitialReleaseBoxes();
  UpdateData(Exchange::kToControls);
  UpdateInstallButton();
  return TRUE;
}

void Dlg_Setup::OnShown() {
  const ScopedPromptOwner owner(Win32MessageBoxes(), m_hWnd);
  const ReleaseBoxStates boxes =
      InitialReleaseBoxes(CountReleaseFolders(g_setupState), g_nAcadBitness);
  NoticeIfHostsNeed64BitSetup(g_setupState.platform(), boxes, g_nAcadBitness,
                              Open64BitRegistryView().get());
}

void Dlg_Setup::SetSmallIcon() {
  const HANDLE icon =
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  if (icon) SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Dlg_Setup::ApplyInitialReleaseBoxes() {
  const ReleaseBoxStates boxes =
      m_presetBoxes ? *m_presetBoxes
                    : InitialReleaseBoxes(CountReleaseFolders(g_setupState), g_nAcadBitness);
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    const ReleaseBoxState& box = boxes[ReleaseIndex(year)];
    if (!box.enabled) ReleaseBox(year).EnableWindow(false);
    if (!box.visible) ReleaseBox(year).ShowWindow(SW_HIDE);
    ReleaseTick(year) = box.tick;
  }
}

void Dlg_Setup::UpdateInstallButton() {
  UpdateData(Exchange::kToMembers);
  GetDlgItem(IDC_INSTALL).EnableWindow(AnyReleaseTicked(Ticks()));
}

bool Dlg_Setup::OnCommand(WORD id, WORD code) {
  static const CommandRoute<Dlg_Setup> kRoutes[] = {
      {0, BN_CLICKED, &Dlg_Setup::OnCheckRelease, &IsReleaseBoxId},
      {IDC_BROWSE, BN_CLICKED, &Dlg_Setup::OnBrowse},
      {IDC_INSTALL, BN_CLICKED, &Dlg_Setup::OnInstall},
  };
  return RouteCommand(*this, kRoutes, id, code) || CDialog::OnCommand(id, code);
}

HBRUSH Dlg_Setup::OnCtlColor(HDC dc, HWND control, UINT message) {
  CDialog::OnCtlColor(dc, control, message);  // default colours first; its brush is not used
  const int id = control == m_hWnd ? 0 : GetDlgCtrlID(control);
  SetTextColor(dc, kTextColor);
  if (id != IDC_INSTALL_PATH) SetBkMode(dc, TRANSPARENT);
  const CFont* heading = id == IDC_TITLE     ? &m_fontTitle
                         : id == IDC_BITNESS ? &m_fontBitness
                                             : nullptr;
  if (heading) {
    if (heading->GetSafeHandle()) SelectObject(dc, heading->GetSafeHandle());
    SetTextColor(dc, kHeadingColor);
  }
  return m_brushBack.GetSafeHandle();
}

void Dlg_Setup::OnCheckRelease() { UpdateInstallButton(); }

// Enter reaches the dialog as IDOK, the completion button's command, in every
// view. It ends the dialog only from the completion view; in the settings
// view it does what the visible default, Install, does, when Install can run.
void Dlg_Setup::OnOK() {
  if (GetDlgItem(IDOK).IsWindowVisible()) {
    CDialog::OnOK();
    return;
  }
  const CWindow install = GetDlgItem(IDC_INSTALL);
  if (install.IsWindowVisible() && install.IsWindowEnabled()) OnInstall();
}
