#include "support/recording_progress.h"

#include <algorithm>

void RecordingProgress::SetRange(int minimum, int maximum) {
  m_calls.push_back("SetRange(" + std::to_string(minimum) + "," + std::to_string(maximum) + ")");
  // The range travels as MAKELPARAM(minimum, maximum): two unsigned words.
  m_minimum = minimum & 0xFFFF;
  m_maximum = maximum & 0xFFFF;
  KeepInRange();
}

void RecordingProgress::SetStep(int step) {
  m_calls.push_back("SetStep(" + std::to_string(step) + ")");
  m_step = step;
}

void RecordingProgress::SetPos(int position) {
  m_calls.push_back("SetPos(" + std::to_string(position) + ")");
  m_position = position;
  KeepInRange();
}

void RecordingProgress::StepIt() {
  m_calls.push_back("StepIt");
  ++m_stepCount;
  if (m_minimum == m_maximum) return;
  // Past the maximum the bar starts over from the minimum, carrying the
  // overshoot; below the minimum it comes back from the maximum.
  const int span = m_maximum - m_minimum;
  m_position += m_step;
  if (m_position > m_maximum) m_position = (m_position - m_minimum) % span + m_minimum;
  if (m_position < m_minimum) m_position = (m_position - m_minimum) % span + m_maximum;
}

void RecordingProgress::KeepInRange() {
  m_position = std::max(m_minimum, std::min(m_position, m_maximum));
}
