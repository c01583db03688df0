// The data-exchange helpers on real controls: ticks and texts go both ways,
// and a text of any length comes back whole.

#include "platform/win32/data_exchange.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

using win32::DdxCheck;
using win32::DdxControl;
using win32::DdxText;
using win32::Exchange;

namespace {

constexpr int kCheckBoxId = 10;
constexpr int kEditId = 11;

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, parent_);
    Child("BUTTON", BS_AUTOCHECKBOX, kCheckBoxId);
    Child("EDIT", ES_AUTOHSCROLL, kEditId);
  }
  void TearDown() override { DestroyWindow(parent_); }

  void Child(const char* className, DWORD style, int id) {
    ASSERT_NE(nullptr, CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 100, 20, parent_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleA(nullptr), nullptr));
  }

  HWND parent_ = nullptr;
};

TEST_F(DataExchangeTest, TickGoesToTheBoxAndComesBack) {
  int tick = 1;
  DdxCheck(parent_, kCheckBoxId, tick, Exchange::kToControls);
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(parent_, kCheckBoxId));

  CheckDlgButton(parent_, kCheckBoxId, BST_UNCHECKED);
  DdxCheck(parent_, kCheckBoxId, tick, Exchange::kToMembers);
  EXPECT_EQ(0, tick);

  CheckDlgButton(parent_, kCheckBoxId, BST_CHECKED);
  DdxCheck(parent_, kCheckBoxId, tick, Exchange::kToMembers);
  EXPECT_EQ(1, tick);
}

TEST_F(DataExchangeTest, LongAndChineseTextsComeBackWhole) {
  SendDlgItemMessageA(parent_, kEditId, EM_SETLIMITTEXT, 0, 0);
  for (const std::string& text : {std::string("C:\\Brenix"), std::string("D:\\批打印\\软件"),
                                  std::string(5000, 'x') + "尾"}) {
    std::string sent = text;
    DdxText(parent_, kEditId, sent, Exchange::kToControls);
    std::string received = "left over";
    DdxText(parent_, kEditId, received, Exchange::kToMembers);
    EXPECT_EQ(text, received);
  }
  std::string empty;
  DdxText(parent_, kEditId, empty, Exchange::kToControls);
  std::string received = "left over";
  DdxText(parent_, kEditId, received, Exchange::kToMembers);
  EXPECT_EQ("", received);
}

TEST_F(DataExchangeTest, ControlObjectIsBoundToItsControl) {
  win32::CButton box;
  DdxControl(parent_, kCheckBoxId, box);
  EXPECT_EQ(GetDlgItem(parent_, kCheckBoxId), box.GetSafeHwnd());
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(BST_CHECKED, box.GetCheck());
}

}  // namespace
