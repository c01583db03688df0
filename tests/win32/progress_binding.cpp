// The progress contract against Win32Progress on a hidden progress bar.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "contract/progress_contract.h"
#include "platform/win32/win32_progress.h"

namespace {

HWND CreateProgressBar(DWORD style = WS_POPUP) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  EXPECT_TRUE(InitCommonControlsEx(&controls));
  const HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", style, 0, 0, 200, 20, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(bar, nullptr);
  return bar;
}

class Win32ProgressUnderTest : public ProgressUnderTest {
 public:
  Win32ProgressUnderTest() : m_bar(CreateProgressBar()), m_progress(m_bar) {}
  ~Win32ProgressUnderTest() override { DestroyWindow(m_bar); }

  platform::ProgressPort& Port() override { return m_progress; }
  int Position() override { return static_cast<int>(SendMessageW(m_bar, PBM_GETPOS, 0, 0)); }

 private:
  HWND m_bar;
  win32::Win32Progress m_progress;
};

// A visible bar is handed its position at most once per frame: whatever the
// calls, it ends where a bar that took every call at once ends.
TEST(Win32ProgressOnScreen, EndsWhereTheControlsOwnSteppingEnds) {
  struct Call {
    char kind;  // 'r' range, 's' step, 'p' position, 'i' step it (count times)
    int a, b;
  };
  const std::vector<std::vector<Call>> scripts = {
      {{'r', 0, 50}, {'s', 1, 0}, {'p', 0, 0}, {'i', 61, 0}},
      {{'r', 0, 50}, {'s', 7, 0}, {'p', 10, 0}, {'i', 23, 0}, {'p', 50, 0}},
      {{'r', 10, 20}, {'s', -3, 0}, {'i', 9, 0}},
      {{'i', 15, 0}, {'r', 5, 5}, {'i', 3, 0}},
  };
  for (std::size_t n = 0; n < scripts.size(); ++n) {
    const HWND counted = CreateProgressBar(WS_POPUP | WS_VISIBLE);
    const HWND direct = CreateProgressBar();
    {
      win32::Win32Progress progress(counted);
      for (const Call& call : scripts[n]) {
        switch (call.kind) {
          case 'r':
            progress.SetRange(call.a, call.b);
            SendMessageW(direct, PBM_SETRANGE, 0, MAKELPARAM(call.a, call.b));
            break;
          case 's':
            progress.SetStep(call.a);
            SendMessageW(direct, PBM_SETSTEP, call.a, 0);
            break;
          case 'p':
            progress.SetPos(call.a);
            SendMessageW(direct, PBM_SETPOS, call.a, 0);
            break;
          default:
            for (int i = 0; i < call.a; ++i) {
              progress.StepIt();
              SendMessageW(direct, PBM_STEPIT, 0, 0);
            }
        }
      }
    }
    EXPECT_EQ(SendMessageW(direct, PBM_GETPOS, 0, 0), SendMessageW(counted, PBM_GETPOS, 0, 0))
        << "script " << n;
    EXPECT_TRUE(IsWindowVisible(counted));
    DestroyWindow(counted);
    DestroyWindow(direct);
  }
}

}  // namespace

std::unique_ptr<ProgressUnderTest> MakeProgressUnderTest() {
  return std::make_unique<Win32ProgressUnderTest>();
}
