#pragma once
// Data exchange between a dialog's controls and its member variables, in
// either direction. A control is named by its identifier in `dialog`; the
// control must exist.

#include <windows.h>

#include <string>

#include "platform/win32/window.h"

namespace win32 {

enum class Exchange {
  kToMembers,   // controls -> members
  kToControls,  // members -> controls
};

// Binds a control object to the control (both directions).
void DdxControl(HWND dialog, int id, CWindow& control);

// Check box <-> tick value: 1 for a ticked box, 0 otherwise.
void DdxCheck(HWND dialog, int id, int& value, Exchange direction);

// Window text <-> text, never truncated.
void DdxText(HWND dialog, int id, std::string& value, Exchange direction);

// The whole window text of `window` (ANSI); empty when it has none.
std::string GetWindowTextString(HWND window);

}  // namespace win32
