#pragma once
// The progress port over a progress bar control's PBM_* messages. Steps may
// come much faster than the screen refreshes, and under Wine every repaint
// is a round trip to the X server, so while the adapter lives a visible bar
// takes every step at once but repaints at most once per frame, and once
// more at the end.

#include <windows.h>

#include "platform/progress_port.h"

class Win32Progress : public ProgressPort {
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
  // Sends a PBM_* message, then repaints if a frame has passed since the last.
  void Send(UINT message, WPARAM wParam, LPARAM lParam);
  void Repaint();

  HWND m_control;
  bool m_throttled;  // the bar was visible: its redraw is held between frames
  ULONGLONG m_lastPaint = 0;
};
