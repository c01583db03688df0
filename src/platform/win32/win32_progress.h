#pragma once
// The progress port over a progress bar control's PBM_* messages.

#include <windows.h>

#include "platform/progress_port.h"

class Win32Progress : public ProgressPort {
 public:
  explicit Win32Progress(HWND control) : m_control(control) {}

  void SetRange(int minimum, int maximum) override;
  void SetStep(int step) override;
  void SetPos(int position) override;
  void StepIt() override;

 private:
  HWND m_control;
};
