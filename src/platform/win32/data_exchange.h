#pragma once
// Data exchange between a dialog's controls and its member variables, in the
// direction given by `save` (true: controls -> members, false: members ->
// controls). A control is named by its identifier in `dialog`.

#include <windows.h>

#include <string>

#include "platform/win32/window.h"

// Binds a control object to the control (both directions).
void DdxControl(HWND dialog, int id, CWindow& control);

// Check box <-> tick value: 1 for a ticked box, 0 otherwise.
void DdxCheck(HWND dialog, int id, int& value, bool save);

// Window text <-> text, never truncated.
void DdxText(HWND dialog, int id, std::string& value, bool save);

// The whole window text of `window` (ANSI); empty when it has none.
std::string GetWindowTextString(HWND window);
