// The data-exchange helpers on real controls: ticks and texts go both ways,
// a text of any length and script comes back whole, and a control text that
// has no UTF-8 form is refused, never read with a substitute.

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
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, parent_);
    Child(L"BUTTON", BS_AUTOCHECKBOX, kCheckBoxId);
    Child(L"EDIT", ES_AUTOHSCROLL, kEditId);
    SendDlgItemMessageW(parent_, kEditId, EM_SETLIMITTEXT, 0, 0);
  }
  void TearDown() override { DestroyWindow(parent_); }

  void Child(const wchar_t* className, DWORD style, int id) {
    ASSERT_NE(nullptr, CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 100, 20, parent_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr));
  }

  // The edit box's text as the wide call reads it.
  std::wstring EditUnits() const {
    const HWND edit = GetDlgItem(parent_, kEditId);
    std::wstring units(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    units.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, &units[0], static_cast<int>(units.size()))));
    return units;
  }

  std::string ReadEdit() {
    std::string received = "left over";
    DdxText(parent_, kEditId, received, Exchange::kToMembers);
    return received;
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

// A member text reaches the control as its UTF-16 form, whole, and comes
// back as the same UTF-8; one that is not UTF-8 leaves the control empty.
TEST_F(DataExchangeTest, LongAndChineseTextsComeBackWhole) {
  struct Row {
    const char* name;
    std::string member;
    std::wstring shown;  // GetWindowTextW of the control afterwards
    std::string readBack;
  };
  const std::wstring longUnits = std::wstring(5000, L'x') + L"尾";
  const Row rows[] = {
      {"ascii", "C:\\Brenix", L"C:\\Brenix", "C:\\Brenix"},
      {"chinese", "D:\\批打印\\软件", L"D:\\批打印\\软件", "D:\\批打印\\软件"},
      {"chinese and hangul", "D:\\批打印\\한국어 폴더", L"D:\\批打印\\한국어 폴더",
       "D:\\批打印\\한국어 폴더"},
      {"beyond the basic plane", "E:\\𠀀𝄞", L"E:\\𠀀𝄞", "E:\\𠀀𝄞"},
      {"5001 characters", std::string(5000, 'x') + "尾", longUnits, std::string(5000, 'x') + "尾"},
      {"empty", "", L"", ""},
      {"not utf-8", "C:\\\xB2\xE2\xCA\xD4", L"", ""},
  };
  for (const Row& row : rows) {
    SetDlgItemTextW(parent_, kEditId, L"before");
    std::string sent = row.member;
    DdxText(parent_, kEditId, sent, Exchange::kToControls);
    EXPECT_EQ(row.shown, EditUnits()) << row.name;
    EXPECT_EQ(row.readBack, ReadEdit()) << row.name;
  }
}

// A control text with a lone surrogate has no UTF-8 form: it reads as
// empty, never with U+FFFD or '?' in place of the unit.
TEST_F(DataExchangeTest, ControlTextWithALoneSurrogateReadsEmpty) {
  struct Row {
    const char* name;
    std::wstring shown;
    std::string readBack;
  };
  const Row rows[] = {
      {"lone high surrogate", std::wstring(L"D:\\批") + wchar_t(0xD840), ""},
      {"lone low surrogate", std::wstring(L"D:\\") + wchar_t(0xDC00) + L"a", ""},
      {"swapped pair", std::wstring(L"D:\\") + wchar_t(0xDC00) + wchar_t(0xD840), ""},
      {"whole pair", std::wstring(L"D:\\") + wchar_t(0xD840) + wchar_t(0xDC00), "D:\\𠀀"},
  };
  for (const Row& row : rows) {
    SetDlgItemTextW(parent_, kEditId, row.shown.c_str());
    ASSERT_EQ(row.shown, EditUnits()) << row.name << ": the control keeps the units";
    EXPECT_EQ(row.readBack, ReadEdit()) << row.name;
  }
}

TEST_F(DataExchangeTest, ControlObjectIsBoundToItsControl) {
  win32::CButton box;
  DdxControl(parent_, kCheckBoxId, box);
  EXPECT_EQ(GetDlgItem(parent_, kCheckBoxId), box.GetSafeHwnd());
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(BST_CHECKED, box.GetCheck());
}

}  // namespace
