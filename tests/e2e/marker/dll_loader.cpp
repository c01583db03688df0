// Two small programs in one, for the planted-DLL test:
//   dll_loader.exe NAME.dll...    loads those DLLs by the plain search (the
//                                 program's folder first), as a careless
//                                 program does;
//   dll_loader.exe --well-behaved does what the setup program does, the way
//                                 it should be done: the DLL search restricted
//                                 to the system folder first, the common
//                                 controls loaded from there, a window with a
//                                 progress bar and the shell's folder browser
//                                 shown. Whatever planted DLL that still takes
//                                 is one Wine takes on its own.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(module ? GetProcAddress(module, name) : nullptr));
}

HMODULE LoadFromSystemFolder(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void ShowAWindow() {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = Find<InitFn>(LoadFromSystemFolder(L"comctl32.dll"), "InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  if (init) init(&controls);
  const HWND window =
      CreateWindowExW(0, L"STATIC", L"well-behaved", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                      100, nullptr, nullptr, nullptr, nullptr);
  CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 12, window, nullptr,
                  nullptr, nullptr);
  MSG message;
  for (DWORD end = GetTickCount() + 300; GetTickCount() < end;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  DestroyWindow(window);
}

// Closes the folder browser once it has shown and painted.
void CALLBACK CloseBrowser(HWND browser, UINT, UINT_PTR, DWORD) {
  PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
}

int CALLBACK CloseSoon(HWND browser, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) SetTimer(browser, 1, 500, CloseBrowser);
  return 0;
}

void BrowseOnce() {
  using BrowseFn = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOW);
  const auto browse = Find<BrowseFn>(LoadFromSystemFolder(L"shell32.dll"), "SHBrowseForFolderW");
  BROWSEINFOW info{};
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = CloseSoon;
  if (browse) browse(&info);
}

// The command line after the program's name, which comes first, quoted or
// not. (Splitting it with shell32 would load that DLL's imports from the
// system folder before the planted copies could be taken.)
const wchar_t* Arguments() {
  const wchar_t* rest = GetCommandLineW();
  const bool quoted = *rest == L'"';
  for (rest += quoted; *rest && *rest != (quoted ? L'"' : L' '); ++rest) {
  }
  if (quoted && *rest) ++rest;
  while (*rest == L' ') ++rest;
  return rest;
}

}  // namespace

int main() {
  const std::wstring arguments = Arguments();
  if (arguments == L"--well-behaved") {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto restrict = Find<SetDefaultDllDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"),
                                                           "SetDefaultDllDirectories");
    if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ShowAWindow();
    BrowseOnce();
    return 0;
  }
  // The DLL names, separated by spaces.
  for (std::size_t start = 0; start < arguments.size();) {
    const std::size_t end = std::min(arguments.find(L' ', start), arguments.size());
    if (end > start) LoadLibraryW(arguments.substr(start, end - start).c_str());
    start = end + 1;
  }
  return 0;
}
