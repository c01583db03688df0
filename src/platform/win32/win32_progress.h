#pragma once
// The progress port over a progress bar control's PBM_* messages. Steps may
// come much faster than the screen refreshes, and every step the control
// takes repaints it at once (under Wine a round trip to the X server each).
// So while the adapter lives, a visible bar's steps are counted here, with
// the control's own arithmetic, and handed to it at most once per frame as
// one position, and at the end; a hidden bar takes every message as it comes.

#include <windows.h>

#include "platform/progress_port.h"

namespace win32 {

class Win32Progress : public platform::ProgressPort {
 public:
  explicit Win32Progress(HWND control);
  ~Win32Progress() override;
  Win32Progress(const Win32Progress&) = delete;
  Win32Progress& operator=(const Win32Progress&) = delete;

  void SetRange(int minimum, int maximum) override;
  void SetStep(int step) override;
  void SetPos(int position) override;
  void StepIt() override;

 private:
  // Hands a position stepped to here over to the control.
  void Flush();

  HWND m_control;
  bool m_counting;  // the bar was visible: steps are counted here
  bool m_pending = false;
  int m_minimum = 0;
  int m_maximum = 100;
  int m_step = 10;
  int m_position = 0;
  ULONGLONG m_lastFlush = 0;
};

}  // namespace win32
