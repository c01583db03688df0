#include "ui/picker/win32/path_dialog.h"

#include <wchar.h>

#include "base/bounded_format.h"
#include "base/utf8.h"
#include "platform/win32/command_map.h"
#include "platform/win32/data_exchange.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "ui/picker/folder_check.h"
#include "ui/picker/win32/picker_ids.h"

namespace ui {

using win32::GetWindowTextString;
using win32::ToWide;
using win32::Wide;
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

// ---- PathDialogSubclass ----------------------------------------------------------

bool PathDialogSubclass::OnCommand(WORD id, WORD code) {
  static const win32::CommandRoute<PathDialogSubclass> kRoutes[] = {
      {kPickerOkId, BN_CLICKED, &PathDialogSubclass::OnPickerOK},
      {kPickerPathEditId, EN_CHANGE, &PathDialogSubclass::OnPathEdited},
  };
  return win32::RouteCommand(*this, kRoutes, id, code);
}

void PathDialogSubclass::OnPathEdited() { m_picker->EnableOk(!m_picker->ReadPathEdit().empty()); }

// The shell's own OK processing never runs: the dialog closes only when the
// typed folder exists or has been created.
void PathDialogSubclass::OnPickerOK() {
  PathDialog& picker = *m_picker;
  const std::string path = picker.ReadPathEdit();
  platform::Platform& platform = Win32Platform();
  const win32::ScopedPromptOwner owner(Win32MessageBoxes(), picker.m_browseWindow);
  if (CheckFolder(platform.files, platform.prompt, platform.environment, path) == kFolderReady) {
    picker.m_accepted = 1;
    EndDialog(picker.m_browseWindow, 1);
  } else {
    SetFocus(GetDlgItem(picker.m_browseWindow, kPickerPathEditId));
  }
}

// ---- PathDialog -------------------------------------------------------------

PathDialog::PathDialog(const char* windowText, const char* prompt, const char* startFolder,
                       HWND owner)
    : m_windowText(windowText),
      m_prompt(prompt),
      m_startFolder(startFolder),
      m_browseWindow(nullptr),
      m_ownerWindow(SafeOwner(owner)),
      m_accepted(0),
      m_wndSubclass(this) {}

int PathDialog::Browse() {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return -1;
  m_accepted = 0;
  const std::wstring prompt = Wide(m_prompt);
  // The shell writes the chosen folder's display name into a buffer of this
  // call; the name is not used.
  wchar_t displayName[MAX_PATH];
  BROWSEINFOW browseInfo{};
  browseInfo.hwndOwner = m_ownerWindow;
  browseInfo.pszDisplayName = displayName;
  browseInfo.lpszTitle = prompt.c_str();
  browseInfo.ulFlags = kBrowseFlags;
  browseInfo.lpfn = BrowseCallback;
  browseInfo.lParam = reinterpret_cast<LPARAM>(this);
  if (LPITEMIDLIST chosen = SHBrowseForFolderW(&browseInfo)) allocator->Free(chosen);
  allocator->Release();
  return m_accepted ? 1 : -1;
}

void PathDialog::OnInitialized(HWND window) {
  m_browseWindow = window;
  if (m_windowText) SetWindowTextW(window, Wide(m_windowText).c_str());
  m_wndSubclass.Attach(window);
  ShowWindow(GetDlgItem(window, kPickerStatusId), SW_HIDE);
  CreatePathEdit();
  SelectStartFolder();
}

void PathDialog::CreatePathEdit() {
  RECT tree{};
  GetWindowRect(GetDlgItem(m_browseWindow, kPickerTreeId), &tree);
  POINT topLeft{tree.left, tree.top - kPathEditTopAboveTree};
  POINT bottomRight{tree.right, tree.top - kPathEditGapAboveTree};
  ScreenToClient(m_browseWindow, &topLeft);
  ScreenToClient(m_browseWindow, &bottomRight);

  const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, topLeft.x,
                                    topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y,
                                    m_browseWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edit) return;
  SetWindowLongPtrW(edit, GWLP_ID, kPickerPathEditId);
  ShowWindow(edit, SW_SHOW);
  SendMessageW(edit, WM_SETFONT, SendMessageW(m_browseWindow, WM_GETFONT, 0, 0), TRUE);
}

void PathDialog::SelectStartFolder() {
  std::string start;
  if (m_startFolder) {
    start = m_startFolder;
  } else if (!Win32Platform().environment.CurrentDirectory(&start)) {
    return;
  }
  // A folder that does not fit a path, or is not well-formed, is not
  // selected at all.
  std::wstring wide;
  if (base::Utf16Length(start) >= kPathCapacity || !ToWide(start, &wide)) return;
  SendMessageW(m_browseWindow, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void PathDialog::OnSelectionChanged(HWND window, LPCITEMIDLIST selection) {
  // Only a drive-letter folder is shown; the computer node, network places
  // and the like empty the box, and so does a path that fills the buffer
  // (it may have been cut, without its NUL).
  wchar_t path[MAX_PATH] = L"";
  if (!selection || !SHGetPathFromIDListW(selection, path) || wcsnlen(path, MAX_PATH) == MAX_PATH ||
      path[1] != L':') {
    path[0] = L'\0';
  }
  SendMessageW(window, BFFM_ENABLEOK, 0, path[0] != L'\0');
  SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  // Raises the box's change notification, so OnPathEdited follows.
  if (const HWND edit = GetDlgItem(window, kPickerPathEditId)) SetWindowTextW(edit, path);
}

std::string PathDialog::ReadPathEdit() {
  const std::string text = GetWindowTextString(GetDlgItem(m_browseWindow, kPickerPathEditId));
  // A path too long for Windows is never kept cut short.
  m_chosenPath = base::Utf16Length(text) < kPathCapacity ? text : std::string();
  return text;
}

void PathDialog::EnableOk(bool enable) const {
  SendMessageW(m_browseWindow, BFFM_ENABLEOK, 0, enable ? 1 : 0);
}

int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker) {
  PathDialog* self = reinterpret_cast<PathDialog*>(picker);
  if (event == BFFM_INITIALIZED) {
    self->OnInitialized(window);
  } else if (event == BFFM_SELCHANGED) {
    self->OnSelectionChanged(window, reinterpret_cast<LPCITEMIDLIST>(datum));
  }
  return 0;
}

}  // namespace ui
