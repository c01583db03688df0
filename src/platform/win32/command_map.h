#pragma once
// A table that routes WM_COMMAND notifications (BN_CLICKED, EN_CHANGE, ...)
// from a control identifier to a handler method of the window class `T`:
//
//   static const CommandRoute<MyDialog> kRoutes[] = {
//       {IDC_BROWSE, BN_CLICKED, &MyDialog::OnBrowse},
//       {IDC_PATH, EN_CHANGE, &MyDialog::OnPathEdited},
//       {0, BN_CLICKED, &MyDialog::OnOption, &IsOptionBoxId},  // a set of controls
//   };
//   return RouteCommand(*this, kRoutes, id, code) || CDialog::OnCommand(id, code);

#include <windows.h>

#include <cstddef>

namespace win32 {

template <typename T>
struct CommandRoute {
  WORD id;
  WORD code;
  void (T::*handler)();
  // When set, the route takes every control whose identifier this accepts
  // and `id` is unused (WTL's COMMAND_RANGE_HANDLER, for identifiers that
  // are not contiguous).
  bool (*accepts)(WORD id) = nullptr;
};

// Calls the handler of the first route matching (id, code); false when none.
template <typename T, std::size_t N>
bool RouteCommand(T& target, const CommandRoute<T> (&routes)[N], WORD id, WORD code) {
  for (const CommandRoute<T>& route : routes) {
    const bool forControl = route.accepts ? route.accepts(id) : route.id == id;
    if (forControl && route.code == code) {
      (target.*route.handler)();
      return true;
    }
  }
  return false;
}

}  // namespace win32
