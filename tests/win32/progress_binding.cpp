// The progress contract against Win32Progress on a hidden progress bar.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "contract/progress_contract.h"
#include "platform/win32/win32_progress.h"

namespace {

HWND CreateProgressBar() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  EXPECT_TRUE(InitCommonControlsEx(&controls));
  const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
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

}  // namespace

std::unique_ptr<ProgressUnderTest> MakeProgressUnderTest() {
  return std::make_unique<Win32ProgressUnderTest>();
}
