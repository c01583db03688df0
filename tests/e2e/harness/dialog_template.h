#pragma once
// Reads the header of an extended dialog template (DLGTEMPLATEEX) as a
// program's resources hold it: frame, size, caption and font, with its texts
// as UTF-8.

#include <windows.h>

#include <cstddef>
#include <string>

struct DialogTemplate {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  std::string title;
  WORD pointSize;
  std::string typeface;
};

// false when the data is not a well-formed extended template.
bool ParseDialogTemplateEx(const void* data, std::size_t size, DialogTemplate* dialog);
