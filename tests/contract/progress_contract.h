#pragma once
// The progress contract: RecordingProgress natively, and Win32Progress on a
// real progress bar control under Wine, must end at the same positions.

#include <memory>

#include "platform/progress_port.h"

class ProgressUnderTest {
 public:
  virtual ~ProgressUnderTest() = default;
  virtual platform::ProgressPort& Port() = 0;
  virtual int Position() = 0;  // PBM_GETPOS
};

std::unique_ptr<ProgressUnderTest> MakeProgressUnderTest();
