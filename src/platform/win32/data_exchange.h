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

// Window text <-> text (UTF-8), never truncated. A member text that is not
// well-formed UTF-8 empties the control; a control text read back as
// GetWindowTextString reads it.
void DdxText(HWND dialog, int id, std::string& value, Exchange direction);

// The whole window text of `window` as UTF-8; empty when it has none, and
// when it holds a lone surrogate (typed or pasted into an edit box): no UTF-8
// text names that, and one with U+FFFD in its place would name another
// folder, so the text is refused as a whole and the checks of an empty path
// reject it.
std::string GetWindowTextString(HWND window);

}  // namespace win32
