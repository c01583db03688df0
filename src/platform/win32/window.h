#pragma once
// Thin, non-owning wrappers of a window handle and of the controls the
// dialogs use. Copying one copies the handle; none destroys its window.

#include <windows.h>

namespace win32 {

class CWindow {
 public:
  CWindow() = default;
  explicit CWindow(HWND window) : m_window(window) {}

  void Attach(HWND window) { m_window = window; }
  HWND GetSafeHwnd() const { return m_window; }

  void ShowWindow(int showCommand) const;  // SW_SHOW, SW_HIDE, ...
  void EnableWindow(bool enable) const;
  bool IsWindowVisible() const;
  bool IsWindowEnabled() const;

 protected:
  HWND m_window = nullptr;
};

class CButton : public CWindow {
 public:
  using CWindow::CWindow;
  int GetCheck() const;  // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE
  void SetCheck(int state) const;
};

// A progress bar; Win32Progress(GetSafeHwnd()) drives it (win32_progress.h).
class CProgressCtrl : public CWindow {
 public:
  using CWindow::CWindow;
};

}  // namespace win32
