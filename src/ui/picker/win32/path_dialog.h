#pragma once
// The folder picker: the shell's folder-browse dialog with a path edit box
// added above its tree. The box mirrors the selected drive-letter folder and
// takes a typed path; OK closes the dialog only when CheckFolder accepts the
// path (asking for and creating a missing folder), so a chosen folder exists.

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/bounded_format.h"
#include "platform/win32/window_subclass.h"

class CPathDialog;

// Attached to the shell dialog while it exists: takes its OK clicks and the
// path edit box's change notifications before the shell does.
class CPathDialogSub : public CWindowSubclass {
 public:
  explicit CPathDialogSub(CPathDialog* picker) : m_pPicker(picker) {}

  CPathDialog* m_pPicker;

 protected:
  bool OnCommand(WORD id, WORD code) override;

 private:
  void OnPathEdited();
  void OnPickerOK();
};

class CPathDialog {
 public:
  // The texts are kept by pointer: the caller keeps them alive until the
  // picker is destroyed. A null caption keeps the shell's own, a null start
  // folder means the current directory, a null owner the active window.
  CPathDialog(const char* windowText, const char* prompt, const char* startFolder, HWND owner);
  virtual ~CPathDialog() = default;
  CPathDialog(const CPathDialog&) = delete;
  CPathDialog& operator=(const CPathDialog&) = delete;

  // Runs the shell dialog modally: 1 when a folder was accepted (it exists
  // then), -1 when the dialog was cancelled or could not run.
  virtual int Browse();
  // The accepted folder; meaningful after Browse returned 1.
  std::string GetChosenPath() const { return m_szChosenPath; }

 private:
  friend class CPathDialogSub;
  friend int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker);

  void OnInitialized(HWND window);
  void OnSelectionChanged(HWND window, LPCITEMIDLIST selection);
  void CreatePathEdit();
  void SelectStartFolder();

  // The path edit box's whole text; kept in m_szChosenPath only when it fits.
  std::string ReadPathEdit();
  void EnableOk(bool enable) const;

  const char* m_pszWindowText;
  const char* m_pszStartFolder;
  base::PathBuffer m_szChosenPath;
  BROWSEINFOA m_browseInfo;
  HWND m_hBrowseWnd;
  HWND m_pOwnerWnd;
  int m_bAccepted;
  CPathDialogSub m_wndSubclass;
};

// The shell's callback: its datum is the CPathDialog. Always 0.
int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM datum, LPARAM picker);
