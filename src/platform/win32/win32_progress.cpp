#include "platform/win32/win32_progress.h"

#include <commctrl.h>

void Win32Progress::SetRange(int minimum, int maximum) {
  SendMessageA(m_control, PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
}

void Win32Progress::SetStep(int step) { SendMessageA(m_control, PBM_SETSTEP, step, 0); }

void Win32Progress::SetPos(int position) { SendMessageA(m_control, PBM_SETPOS, position, 0); }

void Win32Progress::StepIt() { SendMessageA(m_control, PBM_STEPIT, 0, 0); }
