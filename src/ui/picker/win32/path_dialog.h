#pragma once
// The folder picker: the shell's folder-browse dialog with a path edit box
// added above its tree. The box mirrors the selected drive-letter folder and
// takes a typed path; OK closes the dialog only when CheckFolder accepts the
// path (asking for and creating a missing folder), so a chosen folder exists.

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/window_subclass.h"

namespace ui {

class PathDialog;

// Attached to the shell dialog while it exists: takes its OK clicks and the
// path edit box's change notifications before the shell does.
class PathDialogSubclass : public win32::WindowSubclass {
 public:
  explicit PathDialogSubclass(PathDialog* picker) : m_picker(picker) {}

  PathDialog* m_picker;

 protected:
  bool OnCommand(WORD id, WORD code) override;

 private:
  void OnPathEdited();
  void OnPickerOK();
};

class PathDialog {
 public:
  // The texts (UTF-8) are kept by pointer: the caller keeps them alive until
  // the picker is destroyed. A null caption keeps the shell's own, a null
  // start folder means the current directory, a null owner the active window.
  PathDialog(const char* windowText, const char* prompt, const char* startFolder, HWND owner);
  virtual ~PathDialog() = default;
  PathDialog(const PathDialog&) = delete;
  PathDialog& operator=(const PathDialog&) = delete;

  // Runs the shell dialog modally: 1 when a folder was accepted (it exists
  // then), -1 when the dialog was cancelled or could not run.
  virtual int Browse();
  // The accepted folder; meaningful after Browse returned 1.
  std::string GetChosenPath() const { return m_chosenPath; }

 private:
  friend class PathDialogSubclass;
  friend int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker);

  void OnInitialized(HWND window);
  void OnSelectionChanged(HWND window, LPCITEMIDLIST selection);
  void CreatePathEdit();
  void SelectStartFolder();

  // The path edit box's whole text; kept in m_chosenPath only when it fits a
  // path (fewer than kPathCapacity UTF-16 units).
  std::string ReadPathEdit();
  void EnableOk(bool enable) const;

  const char* m_windowText;
  const char* m_prompt;
  const char* m_startFolder;
  std::string m_chosenPath;
  HWND m_browseWindow;
  HWND m_ownerWindow;
  int m_accepted;
  PathDialogSubclass m_wndSubclass;
};

// The shell's callback: its datum is the PathDialog. Always 0.
int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker);

}  // namespace ui
