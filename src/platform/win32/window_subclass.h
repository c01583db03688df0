#pragma once
// Subclasses an existing window (one the program did not create, such as the
// shell's folder-browse dialog): its messages reach this object first.
// A derived class overrides OnCommand to take WM_COMMAND notifications by
// control identifier and code (a CommandRoute table fits, command_map.h);
// everything it does not handle goes to the window's original procedure.
// The object detaches itself when the window is destroyed (WM_NCDESTROY), or
// when the object is destroyed first.

#include <windows.h>

namespace win32 {

class WindowSubclass {
 public:
  WindowSubclass() = default;
  virtual ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  // false when this object is attached already, the window is already
  // subclassed by another object, or the window cannot be subclassed.
  bool Attach(HWND window);
  // Restores the original procedure; does nothing when not attached.
  void Detach();

  HWND GetSafeHwnd() const { return m_window; }

 protected:
  // WM_COMMAND: true when handled (the message then goes no further).
  virtual bool OnCommand(WORD id, WORD code);
  // Passes a message to the window's original procedure.
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_window = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnOriginal = nullptr;
};

}  // namespace win32
