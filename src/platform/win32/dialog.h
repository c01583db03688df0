#pragma once
// A modal dialog built from a dialog template of the program's resources.
// A derived class overrides what it needs:
//  - DoDataExchange: binds controls to members (data_exchange.h); UpdateData
//    runs it in one direction, once the dialog exists;
//  - OnInitDialog: runs once the controls exist; the base pushes the members
//    into the controls and returns TRUE (focus to the first tab stop);
//  - OnShown: runs once the dialog is on the screen and its message loop
//    runs (for a message that must appear over the dialog, not before it);
//  - OnCommand: WM_COMMAND by control identifier and notification code, for
//    instance through a CommandRoute table (command_map.h); the base handles
//    IDOK (OnOK) and IDCANCEL (OnCancel, also Escape and the close box);
//  - OnCtlColor: every WM_CTLCOLOR* request; the base gives the default.

#include <windows.h>

#include "platform/win32/data_exchange.h"
#include "platform/win32/window.h"

namespace win32 {

class CDialog {
 public:
  CDialog(UINT templateId, HWND parent);
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Creates the dialog and runs it until EndDialog; the value given to
  // EndDialog, or -1 when the dialog cannot be created.
  INT_PTR DoModal();
  void EndDialog(int result);

  void UpdateData(win32::Exchange direction);

  HWND GetSafeHwnd() const { return m_window; }
  CWindow GetDlgItem(int id) const;

 protected:
  virtual void DoDataExchange(win32::Exchange direction);
  virtual BOOL OnInitDialog();
  virtual void OnShown();
  virtual void OnOK();      // controls -> members, then ends with IDOK
  virtual void OnCancel();  // ends with IDCANCEL
  // true when the notification was handled.
  virtual bool OnCommand(WORD id, WORD code);
  // The brush that paints `control` (the dialog itself for WM_CTLCOLORDLG);
  // `message` is the WM_CTLCOLOR* request. The base runs the default handling.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

  HWND m_window = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_templateId;
  HWND m_parent;
};

}  // namespace win32
