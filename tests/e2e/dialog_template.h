#pragma once
// Reads an extended dialog template (DLGTEMPLATEEX) as a program's resources
// hold it, with its texts in the ANSI code page.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct DialogItemTemplate {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  DWORD id;
  std::string className;  // upper case; a predefined class ordinal by its name ("BUTTON")
  std::string title;      // text, or "#<n>" for a resource ordinal (a picture's bitmap)
};

struct DialogTemplate {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  std::string title;
  WORD pointSize;
  std::string typeface;
  std::vector<DialogItemTemplate> items;
};

// false when the data is not a well-formed extended template.
bool ParseDialogTemplateEx(const void* data, std::size_t size, DialogTemplate* dialog);
