#include "platform/win32/win32_progress.h"

#include <commctrl.h>

namespace {

constexpr ULONGLONG kFrameMilliseconds = 16;

}  // namespace

Win32Progress::Win32Progress(HWND control)
    : m_control(control), m_throttled(IsWindowVisible(control) != 0) {
  // WM_SETREDRAW TRUE marks a window visible: a hidden bar is left alone.
  if (m_throttled) SendMessageA(m_control, WM_SETREDRAW, FALSE, 0);
}

Win32Progress::~Win32Progress() {
  if (!m_throttled) return;
  SendMessageA(m_control, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Win32Progress::SetRange(int minimum, int maximum) {
  Send(PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
}

void Win32Progress::SetStep(int step) { Send(PBM_SETSTEP, step, 0); }

void Win32Progress::SetPos(int position) { Send(PBM_SETPOS, position, 0); }

void Win32Progress::StepIt() { Send(PBM_STEPIT, 0, 0); }

void Win32Progress::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  SendMessageA(m_control, message, wParam, lParam);
  if (m_throttled && GetTickCount64() - m_lastPaint >= kFrameMilliseconds) Repaint();
}

void Win32Progress::Repaint() {
  SendMessageA(m_control, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SendMessageA(m_control, WM_SETREDRAW, FALSE, 0);
  m_lastPaint = GetTickCount64();
}
