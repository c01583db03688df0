#include "platform/win32/window.h"

void CWindow::ShowWindow(int showCommand) const { ::ShowWindow(m_hWnd, showCommand); }

void CWindow::EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }

bool CWindow::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }

bool CWindow::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }

int CButton::GetCheck() const { return static_cast<int>(SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }

void CButton::SetCheck(int state) const { SendMessageA(m_hWnd, BM_SETCHECK, state, 0); }
