#include "platform/win32/window.h"

namespace win32 {

void CWindow::ShowWindow(int showCommand) const { ::ShowWindow(m_window, showCommand); }

void CWindow::EnableWindow(bool enable) const { ::EnableWindow(m_window, enable ? TRUE : FALSE); }

bool CWindow::IsWindowVisible() const { return ::IsWindowVisible(m_window) != FALSE; }

bool CWindow::IsWindowEnabled() const { return ::IsWindowEnabled(m_window) != FALSE; }

int CButton::GetCheck() const {
  return static_cast<int>(SendMessageW(m_window, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int state) const { SendMessageW(m_window, BM_SETCHECK, state, 0); }

}  // namespace win32
