#include "platform/win32/window_subclass.h"

namespace {

// The window property that leads from the window to its subclass object.
constexpr char kObjectProperty[] = "BPlotSweep.WindowSubclass";

CWindowSubclass* ObjectOf(HWND window) {
  return static_cast<CWindowSubclass*>(GetPropA(window, kObjectProperty));
}

}  // namespace

CWindowSubclass::~CWindowSubclass() { Detach(); }

bool CWindowSubclass::Attach(HWND window) {
  if (m_hWnd || !IsWindow(window) || ObjectOf(window)) return false;
  if (!SetPropA(window, kObjectProperty, this)) return false;
  const LONG_PTR original = SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowSubclass::SubclassProc));
  if (!original) {
    RemovePropA(window, kObjectProperty);
    return false;
  }
  m_pfnOriginal = reinterpret_cast<WNDPROC>(original);
  m_hWnd = window;
  return true;
}

void CWindowSubclass::Detach() {
  if (!m_hWnd) return;
  SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOriginal));
  RemovePropA(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
  m_pfnOriginal = nullptr;
}

bool CWindowSubclass::OnCommand(WORD /*id*/, WORD /*code*/) { return false; }

LRESULT CWindowSubclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(m_pfnOriginal, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowSubclass::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  CWindowSubclass* object = ObjectOf(window);
  if (!object) return DefWindowProcA(window, message, wParam, lParam);
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
