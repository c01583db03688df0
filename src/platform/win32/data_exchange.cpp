#include "platform/win32/data_exchange.h"

#include <cassert>

#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// The control `id` of `dialog`; a missing one is a fault of the caller.
HWND ExistingControl(HWND dialog, int id) {
  assert(dialog != nullptr);
  const HWND control = GetDlgItem(dialog, id);
  assert(control != nullptr);
  return control;
}

}  // namespace

void DdxControl(HWND dialog, int id, CWindow& control) {
  control.Attach(ExistingControl(dialog, id));
}

void DdxCheck(HWND dialog, int id, int& value, Exchange direction) {
  const CButton box(ExistingControl(dialog, id));
  if (direction == Exchange::kToMembers) {
    value = box.GetCheck() == BST_CHECKED ? 1 : 0;
  } else {
    box.SetCheck(value != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DdxText(HWND dialog, int id, std::string& value, Exchange direction) {
  const HWND control = ExistingControl(dialog, id);
  if (direction == Exchange::kToMembers) {
    value = GetWindowTextString(control);
  } else {
    SetWindowTextW(control, Wide(value).c_str());
  }
}

std::string GetWindowTextString(HWND window) {
  // The length may overstate the text, never understate it; the copy says
  // how much it really wrote.
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::string();
  std::wstring units(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, &units[0], length + 1);
  std::string text;  // stays empty when the units hold a lone surrogate
  if (copied > 0) ToUtf8(units.data(), static_cast<std::size_t>(copied), &text);
  return text;
}

}  // namespace win32
