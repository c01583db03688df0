// The progress contract against RecordingProgress.

#include "contract/progress_contract.h"
#include "support/recording_progress.h"

namespace {

class RecordingProgressUnderTest : public ProgressUnderTest {
 public:
  platform::ProgressPort& Port() override { return m_progress; }
  int Position() override { return m_progress.Position(); }

 private:
  RecordingProgress m_progress;
};

}  // namespace

std::unique_ptr<ProgressUnderTest> MakeProgressUnderTest() {
  return std::make_unique<RecordingProgressUnderTest>();
}
