#include "platform/win32/data_exchange.h"

void DdxControl(HWND dialog, int id, CWindow& control) { control.Attach(GetDlgItem(dialog, id)); }

void DdxCheck(HWND dialog, int id, int& value, bool save) {
  const CButton box(GetDlgItem(dialog, id));
  if (save) {
    value = box.GetCheck() == BST_CHECKED ? 1 : 0;
  } else {
    box.SetCheck(value != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DdxText(HWND dialog, int id, std::string& value, bool save) {
  const HWND control = GetDlgItem(dialog, id);
  if (save) {
    value = GetWindowTextString(control);
  } else {
    SetWindowTextA(control, value.c_str());
  }
}

std::string GetWindowTextString(HWND window) {
  // The length may overstate the text (it can count in another character
  // set), never understate it; the copy says how much it really wrote.
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}
