// The progress contract against Win32Progress on a hidden progress bar.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "contract/progress_contract.h"
#include "platform/win32/win32_progress.h"

namespace {

HWND CreateProgressBar(DWORD style = WS_POPUP) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  EXPECT_TRUE(InitCommonControlsEx(&controls));
  const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", style, 0, 0, 200, 20, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(bar, nullptr);
  return bar;
}

class Win32ProgressUnderTest : public ProgressUnderTest {
 public:
  Win32ProgressUnderTest() : m_bar(CreateProgressBar()), m_progress(m_bar) {}
  ~Win32ProgressUnderTest() override { DestroyWindow(m_bar); }

  ProgressPort& Port() override { return m_progress; }
  int Position() override { return static_cast<int>(SendMessageA(m_bar, PBM_GETPOS, 0, 0)); }

 private:
  HWND m_bar;
  Win32Progress m_progress;
};

// A visible bar repaints at most once per frame, but every step lands at once,
// and the bar stays visible with its redraw back on afterwards.
TEST(Win32ProgressOnScreen, TakesEveryStepAtOnceAndEndsVisible) {
  const HWND bar = CreateProgressBar(WS_POPUP | WS_VISIBLE);
  {
    Win32Progress progress(bar);
    progress.SetRange(0, 1000);
    progress.SetStep(1);
    progress.SetPos(0);
    for (int step = 1; step <= 500; ++step) {
      progress.StepIt();
      ASSERT_EQ(step, SendMessageA(bar, PBM_GETPOS, 0, 0));
    }
  }
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_TRUE(GetWindowLongPtrA(bar, GWL_STYLE) & WS_VISIBLE);
  DestroyWindow(bar);
}

}  // namespace

std::unique_ptr<ProgressUnderTest> MakeProgressUnderTest() {
  return std::make_unique<Win32ProgressUnderTest>();
}
