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

#include <cstring>

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(module ? GetProcAddress(module, name) : nullptr));
}

HMODULE LoadFromSystemFolder(const char* name) {
  return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void ShowAWindow() {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = Find<InitFn>(LoadFromSystemFolder("comctl32.dll"), "InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  if (init) init(&controls);
  const HWND window = CreateWindowExA(0, "STATIC", "well-behaved", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10, 150, 12, window, nullptr,
                  nullptr, nullptr);
  MSG message;
  for (DWORD end = GetTickCount() + 300; GetTickCount() < end;) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  DestroyWindow(window);
}

// Closes the folder browser once it has shown and painted.
void CALLBACK CloseBrowser(HWND browser, UINT, UINT_PTR, DWORD) {
  PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
}

int CALLBACK CloseSoon(HWND browser, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) SetTimer(browser, 1, 500, CloseBrowser);
  return 0;
}

void BrowseOnce() {
  using BrowseFn = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOA);
  const auto browse = Find<BrowseFn>(LoadFromSystemFolder("shell32.dll"), "SHBrowseForFolderA");
  BROWSEINFOA info{};
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = CloseSoon;
  if (browse) browse(&info);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--well-behaved") == 0) {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto restrict = Find<SetDefaultDllDirectoriesFn>(GetModuleHandleA("kernel32.dll"),
                                                           "SetDefaultDllDirectories");
    if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ShowAWindow();
    BrowseOnce();
    return 0;
  }
  for (int i = 1; i < argc; ++i) LoadLibraryA(argv[i]);
  return 0;
}
