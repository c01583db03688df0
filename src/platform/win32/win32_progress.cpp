#include "platform/win32/win32_progress.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr ULONGLONG kFrameMilliseconds = 16;

}  // namespace

Win32Progress::Win32Progress(HWND control)
    : m_control(control), m_counting(IsWindowVisible(control) != 0) {
  PBRANGE range{};
  SendMessageW(m_control, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  m_minimum = range.iLow;
  m_maximum = range.iHigh;
  m_step = static_cast<int>(SendMessageW(m_control, PBM_GETSTEP, 0, 0));
  m_position = static_cast<int>(SendMessageW(m_control, PBM_GETPOS, 0, 0));
}

Win32Progress::~Win32Progress() { Flush(); }

void Win32Progress::SetRange(int minimum, int maximum) {
  Flush();
  SendMessageW(m_control, PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
  m_minimum = minimum & 0xFFFF;  // the range travels as two unsigned words
  m_maximum = maximum & 0xFFFF;
  m_position = static_cast<int>(SendMessageW(m_control, PBM_GETPOS, 0, 0));
}

void Win32Progress::SetStep(int step) {
  SendMessageW(m_control, PBM_SETSTEP, step, 0);
  m_step = step;
}

void Win32Progress::SetPos(int position) {
  m_pending = false;
  SendMessageW(m_control, PBM_SETPOS, position, 0);
  m_position = static_cast<int>(SendMessageW(m_control, PBM_GETPOS, 0, 0));
}

void Win32Progress::StepIt() {
  if (!m_counting) {
    SendMessageW(m_control, PBM_STEPIT, 0, 0);
    return;
  }
  if (m_minimum != m_maximum) {
    // Past the maximum the bar starts over from the minimum, carrying the
    // overshoot; below the minimum it comes back from the maximum.
    const int span = m_maximum - m_minimum;
    m_position += m_step;
    if (m_position > m_maximum) m_position = (m_position - m_minimum) % span + m_minimum;
    if (m_position < m_minimum) m_position = (m_position - m_minimum) % span + m_maximum;
  }
  m_pending = true;
  if (GetTickCount64() - m_lastFlush >= kFrameMilliseconds) Flush();
}

void Win32Progress::Flush() {
  if (!m_pending) return;
  m_pending = false;
  SendMessageW(m_control, PBM_SETPOS, m_position, 0);
  m_lastFlush = GetTickCount64();
}

}  // namespace win32
