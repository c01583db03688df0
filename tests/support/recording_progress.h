#pragma once
// A progress bar that records the messages it gets and keeps the state the
// common progress control keeps: a range given as two 16-bit words, a step
// (10 at creation), and a position that PBM_SETPOS and PBM_SETRANGE hold
// inside the range and PBM_STEPIT wraps past either end.

#include <string>
#include <vector>

#include "platform/progress_port.h"

class RecordingProgress : public platform::ProgressPort {
 public:
  void SetRange(int minimum, int maximum) override;
  void SetStep(int step) override;
  void SetPos(int position) override;
  void StepIt() override;

  int Position() const { return m_position; }
  int StepCount() const { return m_stepCount; }
  // "SetRange(0,50)", "SetStep(1)", "SetPos(0)", "StepIt" in call order.
  const std::vector<std::string>& Calls() const { return m_calls; }

 private:
  void KeepInRange();

  int m_minimum = 0;
  int m_maximum = 100;
  int m_step = 10;
  int m_position = 0;
  int m_stepCount = 0;
  std::vector<std::string> m_calls;
};
