#include "ui/picker/win32/path_dialog.h"

#include <cstring>

#include "platform/win32/command_map.h"
#include "platform/win32/data_exchange.h"
#include "platform/win32/win32_platform.h"
#include "ui/picker/folder_check.h"
#include "ui/picker/win32/picker_ids.h"

using win32::GetWindowTextString;
using win32::Win32MessageBoxes;
using win32::Win32Platform;

using base::kPathCapacity;
using ui::CheckFolder;
using ui::kFolderReady;

namespace {

// Only file-system folders in the tree; a status line (hidden again at once).
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;

// The top-level window that owns the picker: the given owner's, or that of
// the program's active window.
HWND SafeOwner(HWND owner) {
  const HWND window = owner ? owner : GetActiveWindow();
  return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

}  // namespace

// ---- CPathDialogSub ----------------------------------------------------------

bool CPathDialogSub::OnCommand(WORD id, WORD code) {
  static const CommandRoute<CPathDialogSub> kRoutes[] = {
      {kPickerOkId, BN_CLICKED, &CPathDialogSub::OnPickerOK},
      {kPickerPathEditId, EN_CHANGE, &CPathDialogSub::OnPathEdited},
  };
  return RouteCommand(*this, kRoutes, id, code);
}

void CPathDialogSub::OnPathEdited() { m_pPicker->EnableOk(!m_pPicker->ReadPathEdit().empty()); }

// The shell's own OK processing never runs: the dialog closes only when the
// typed folder exists or has been created.
void CPathDialogSub::OnPickerOK() {
  CPathDialog& picker = *m_pPicker;
  const std::string path = picker.ReadPathEdit();
  Platform& platform = Win32Platform();
  const ScopedPromptOwner owner(Win32MessageBoxes(), picker.m_hBrowseWnd);
  if (CheckFolder(platform.files, platform.prompt, platform.environment, path) == kFolderReady) {
    picker.m_bAccepted = 1;
    EndDialog(picker.m_hBrowseWnd, 1);
  } else {
    SetFocus(GetDlgItem(picker.m_hBrowseWnd, kPickerPathEditId));
  }
}

// ---- CPathDialog -------------------------------------------------------------

CPathDialog::CPathDialog(const char* windowText, const char* prompt, const char* startFolder,
                         HWND owner)
    : m_pszWindowText(windowText),
      m_pszStartFolder(startFolder),
      m_szChosenPath(),
      m_browseInfo(),
      m_hBrowseWnd(nullptr),
      m_pOwnerWnd(SafeOwner(owner)),
      m_bAccepted(0),
      m_wndSubclass(this) {
  m_browseInfo.hwndOwner = m_pOwnerWnd;
  m_browseInfo.pidlRoot = nullptr;
  m_browseInfo.lpszTitle = prompt;
  m_browseInfo.ulFlags = kBrowseFlags;
}

int CPathDialog::Browse() {
  m_browseInfo.lpfn = BrowseCallback;
  m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);

  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return -1;
  m_bAccepted = 0;
  // The shell writes the chosen folder's display name into a buffer of this
  // call; the name is not used.
  char displayName[MAX_PATH];
  BROWSEINFOA browseInfo = m_browseInfo;
  browseInfo.pszDisplayName = displayName;
  if (LPITEMIDLIST chosen = SHBrowseForFolderA(&browseInfo)) allocator->Free(chosen);
  allocator->Release();
  return m_bAccepted ? 1 : -1;
}

void CPathDialog::OnInitialized(HWND window) {
  m_hBrowseWnd = window;
  if (m_pszWindowText) SetWindowTextA(window, m_pszWindowText);
  m_wndSubclass.Attach(window);
  ShowWindow(GetDlgItem(window, kPickerStatusId), SW_HIDE);
  CreatePathEdit();
  SelectStartFolder();
}

void CPathDialog::CreatePathEdit() {
  RECT tree{};
  GetWindowRect(GetDlgItem(m_hBrowseWnd, kPickerTreeId), &tree);
  POINT topLeft{tree.left, tree.top - kPathEditTopAboveTree};
  POINT bottomRight{tree.right, tree.top - kPathEditGapAboveTree};
  ScreenToClient(m_hBrowseWnd, &topLeft);
  ScreenToClient(m_hBrowseWnd, &bottomRight);

  const HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, topLeft.x,
                                    topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y,
                                    m_hBrowseWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!edit) return;
  SetWindowLongA(edit, GWL_ID, kPickerPathEditId);
  ShowWindow(edit, SW_SHOW);
  SendMessageA(edit, WM_SETFONT, SendMessageA(m_hBrowseWnd, WM_GETFONT, 0, 0), TRUE);
}

void CPathDialog::SelectStartFolder() {
  std::string currentDirectory;
  const char* start = m_pszStartFolder;
  if (!start) {
    // A directory that does not fit the path buffer is not selected at all.
    if (!Win32Platform().environment.CurrentDirectory(&currentDirectory) ||
        currentDirectory.size() >= kPathCapacity) {
      return;
    }
    start = currentDirectory.c_str();
  }
  SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start));
}

void CPathDialog::OnSelectionChanged(HWND window, LPCITEMIDLIST selection) {
  // Only a drive-letter folder is shown; the computer node, network places
  // and the like empty the box.
  char path[MAX_PATH] = "";
  if (!selection || !SHGetPathFromIDListA(selection, path) || path[1] != ':') path[0] = '\0';
  SendMessageA(window, BFFM_ENABLEOK, 0, path[0] != '\0');
  SendMessageA(window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
  // Raises the box's change notification, so OnPathEdited follows.
  if (const HWND edit = GetDlgItem(window, kPickerPathEditId)) SetWindowTextA(edit, path);
}

std::string CPathDialog::ReadPathEdit() {
  const std::string text = GetWindowTextString(GetDlgItem(m_hBrowseWnd, kPickerPathEditId));
  // A path too long for the buffer is never kept cut short.
  if (text.size() < sizeof(m_szChosenPath)) {
    std::memcpy(m_szChosenPath, text.c_str(), text.size() + 1);
  } else {
    m_szChosenPath[0] = '\0';
  }
  return text;
}

void CPathDialog::EnableOk(bool enable) const {
  SendMessageA(m_hBrowseWnd, BFFM_ENABLEOK, 0, enable ? 1 : 0);
}

int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker) {
  CPathDialog* self = reinterpret_cast<CPathDialog*>(picker);
  if (event == BFFM_INITIALIZED) {
    self->OnInitialized(window);
  } else if (event == BFFM_SELCHANGED) {
    self->OnSelectionChanged(window, reinterpret_cast<LPCITEMIDLIST>(datum));
  }
  return 0;
}
