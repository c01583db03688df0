// WindowSubclass on a real window: commands it handles stop there, the rest
// reach the window's own procedure (texts as UTF-16, the window stays a
// Unicode one), and it lets go when either side ends.

#include "platform/win32/window_subclass.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr WORD kHandledId = 1;
constexpr WORD kEditId = 14148;
constexpr LRESULT kOriginalAnswer = 42;

// The window's own procedure: records the commands and texts it receives.
std::vector<WPARAM> originalCommands;
std::vector<std::wstring> originalTexts;

LRESULT CALLBACK OriginalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) originalCommands.push_back(wParam);
  if (message == WM_SETTEXT) originalTexts.push_back(reinterpret_cast<const wchar_t*>(lParam));
  if (message == WM_USER) return kOriginalAnswer;
  return DefWindowProcW(window, message, wParam, lParam);
}

class RecordingSubclass : public win32::WindowSubclass {
 public:
  std::vector<WPARAM> handled;

 protected:
  bool OnCommand(WORD id, WORD code) override {
    if ((id == kHandledId && code == BN_CLICKED) || (id == kEditId && code == EN_CHANGE)) {
      handled.push_back(MAKEWPARAM(id, code));
      return true;
    }
    return false;
  }
};

class WindowSubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    originalCommands.clear();
    originalTexts.clear();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &OriginalProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"WindowSubclassTest";
    RegisterClassW(&windowClass);  // fails harmlessly when registered by an earlier test
    window_ = CreateWindowExW(0, L"WindowSubclassTest", L"", WS_POPUP, 0, 0, 100, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window_);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }

  LRESULT Command(WORD id, WORD code) {
    return SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, code), 0);
  }
  LONG_PTR Procedure() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }

  HWND window_ = nullptr;
};

TEST_F(WindowSubclassTest, HandledCommandsStopAndTheRestReachTheWindow) {
  RecordingSubclass subclass;
  ASSERT_TRUE(subclass.Attach(window_));
  EXPECT_EQ(window_, subclass.GetSafeHwnd());

  Command(kHandledId, BN_CLICKED);
  Command(kEditId, EN_CHANGE);
  Command(kHandledId, BN_SETFOCUS);
  Command(2, BN_CLICKED);

  EXPECT_EQ(
      std::vector<WPARAM>({MAKEWPARAM(kHandledId, BN_CLICKED), MAKEWPARAM(kEditId, EN_CHANGE)}),
      subclass.handled);
  EXPECT_EQ(std::vector<WPARAM>({MAKEWPARAM(kHandledId, BN_SETFOCUS), MAKEWPARAM(2, BN_CLICKED)}),
            originalCommands);
  EXPECT_EQ(kOriginalAnswer, SendMessageW(window_, WM_USER, 0, 0));
}

// A text passes the subclass unchanged, in any script: no trip through the
// ANSI code page, whichever it is.
TEST_F(WindowSubclassTest, TextsReachTheWindowAsUtf16) {
  struct Row {
    const char* name;
    std::wstring text;
  };
  const Row rows[] = {
      {"ascii", L"C:\\Brenix"},
      {"chinese", L"请选择安装目录："},
      {"hangul", L"설치 폴더를 선택하십시오"},
      {"beyond the basic plane", L"𠀀𝄞"},
  };
  RecordingSubclass subclass;
  ASSERT_TRUE(subclass.Attach(window_));
  EXPECT_TRUE(IsWindowUnicode(window_));
  for (const Row& row : rows) {
    originalTexts.clear();
    SendMessageW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
    EXPECT_EQ(std::vector<std::wstring>({row.text}), originalTexts) << row.name;
  }
  subclass.Detach();
  EXPECT_TRUE(IsWindowUnicode(window_)) << "after Detach";
}

TEST_F(WindowSubclassTest, AWindowTakesOneSubclassAndAnObjectOneWindow) {
  RecordingSubclass first;
  RecordingSubclass second;
  ASSERT_TRUE(first.Attach(window_));
  EXPECT_FALSE(second.Attach(window_));
  EXPECT_FALSE(first.Attach(window_));
  EXPECT_FALSE(second.Attach(nullptr));
}

TEST_F(WindowSubclassTest, DetachGivesTheWindowBackItsProcedure) {
  const LONG_PTR original = Procedure();
  RecordingSubclass subclass;
  ASSERT_TRUE(subclass.Attach(window_));
  subclass.Detach();

  EXPECT_EQ(original, Procedure());
  EXPECT_EQ(nullptr, subclass.GetSafeHwnd());
  Command(kHandledId, BN_CLICKED);
  EXPECT_TRUE(subclass.handled.empty());
  EXPECT_EQ(1u, originalCommands.size());
  RecordingSubclass next;
  EXPECT_TRUE(next.Attach(window_)) << "the window is free again";
}

TEST_F(WindowSubclassTest, DestroyingTheObjectFirstGivesTheWindowBackItsProcedure) {
  const LONG_PTR original = Procedure();
  {
    RecordingSubclass subclass;
    ASSERT_TRUE(subclass.Attach(window_));
  }
  EXPECT_EQ(original, Procedure());
  Command(kHandledId, BN_CLICKED);
  EXPECT_EQ(1u, originalCommands.size());
}

TEST_F(WindowSubclassTest, DestroyingTheWindowDetachesTheObject) {
  RecordingSubclass subclass;
  ASSERT_TRUE(subclass.Attach(window_));
  ASSERT_TRUE(DestroyWindow(window_));
  EXPECT_EQ(nullptr, subclass.GetSafeHwnd());
}

}  // namespace
