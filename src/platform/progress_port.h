#pragma once

namespace platform {

// A progress bar control (PBM_* messages).

class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void SetRange(int minimum, int maximum) = 0;  // PBM_SETRANGE
  virtual void SetStep(int step) = 0;                   // PBM_SETSTEP
  virtual void SetPos(int position) = 0;                // PBM_SETPOS
  virtual void StepIt() = 0;                            // PBM_STEPIT
};

}  // namespace platform
