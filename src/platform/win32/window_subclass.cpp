#include "platform/win32/window_subclass.h"

namespace win32 {

namespace {

// The window property that leads from the window to its subclass object.
constexpr wchar_t kObjectProperty[] = L"BPlotSweep.WindowSubclass";

WindowSubclass* ObjectOf(HWND window) {
  return static_cast<WindowSubclass*>(GetPropW(window, kObjectProperty));
}

}  // namespace

WindowSubclass::~WindowSubclass() { Detach(); }

bool WindowSubclass::Attach(HWND window) {
  if (m_window || !IsWindow(window) || ObjectOf(window)) return false;
  if (!SetPropW(window, kObjectProperty, this)) return false;
  const LONG_PTR original = SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowSubclass::SubclassProc));
  if (!original) {
    RemovePropW(window, kObjectProperty);
    return false;
  }
  m_pfnOriginal = reinterpret_cast<WNDPROC>(original);
  m_window = window;
  return true;
}

void WindowSubclass::Detach() {
  if (!m_window) return;
  SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOriginal));
  RemovePropW(m_window, kObjectProperty);
  m_window = nullptr;
  m_pfnOriginal = nullptr;
}

bool WindowSubclass::OnCommand(WORD /*id*/, WORD /*code*/) { return false; }

LRESULT WindowSubclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(m_pfnOriginal, m_window, message, wParam, lParam);
}

LRESULT CALLBACK WindowSubclass::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  WindowSubclass* object = ObjectOf(window);
  if (!object) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (object->OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      return object->CallOriginal(message, wParam, lParam);
    case WM_NCDESTROY: {
      const LRESULT result = object->CallOriginal(message, wParam, lParam);
      object->Detach();
      return result;
    }
    default:
      return object->CallOriginal(message, wParam, lParam);
  }
}

}  // namespace win32
