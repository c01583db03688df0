#include "platform/win32/dialog.h"

#include <cassert>

namespace win32 {

using win32::Exchange;

namespace {

// Posted at initialisation; it arrives once the modal loop runs, which may
// be before the loop has shown the dialog.
constexpr UINT kShownMessage = WM_APP;

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

INT_PTR CDialog::DoModal() {
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                      &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  m_window = nullptr;
  return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_window, result); }

void CDialog::UpdateData(Exchange direction) {
  assert(m_window != nullptr);
  DoDataExchange(direction);
}

CWindow CDialog::GetDlgItem(int id) const { return CWindow(::GetDlgItem(m_window, id)); }

void CDialog::DoDataExchange(Exchange /*direction*/) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(Exchange::kToControls);
  return TRUE;
}

void CDialog::OnShown() {}

void CDialog::OnOK() {
  UpdateData(Exchange::kToMembers);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WORD id, WORD code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  return reinterpret_cast<HBRUSH>(DefWindowProcW(m_window, message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->m_window = window;
    PostMessageW(window, kShownMessage, 0, 0);
    return dialog->OnInitDialog();
  }
  // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
  auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kShownMessage:
      // What OnShown opens (a message box) must find the dialog on screen.
      ShowWindow(m_window, SW_SHOW);
      UpdateWindow(m_window);
      OnShown();
      return TRUE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      // A dialog procedure answers colour requests with the brush itself.
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    default:
      return FALSE;
  }
}

}  // namespace win32
