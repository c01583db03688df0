// Runs one install through the real SetUp.exe as a user would, for the demo:
// shows the settings view, clicks Install, waits for the completion view,
// and saves a screenshot of each view as a BMP file.
//
//   demo_driver.exe --setup-exe=PATH --out=FOLDER [--suffix=TEXT]
//
// The screenshots are FOLDER\settings<TEXT>.bmp and FOLDER\completion<TEXT>.bmp.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "e2e/harness/setup_driver.h"

namespace {

constexpr int kIdInstall = 1022;
constexpr int kIdFinished = 1;
constexpr DWORD kInstallTimeout = 120000;
constexpr DWORD kPaintDelay = 700;

std::string FlagValue(int argc, char** argv, const char* flag) {
  const std::size_t length = std::strlen(flag);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], flag, length) == 0) return argv[i] + length;
  }
  return {};
}

// Copies the window's screen area into a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& path) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const DWORD stride = (width * 3 + 3) & ~3u;
  info.bmiHeader.biSizeImage = stride * height;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);

    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + info.bmiHeader.biSizeImage;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
      saved = std::fwrite(&header, sizeof(header), 1, file) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file) == 1 &&
              std::fwrite(bits, info.bmiHeader.biSizeImage, 1, file) == 1;
      saved = (std::fclose(file) == 0) && saved;
    }
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

bool WaitUntilVisible(const WindowDriver& dialog, int id, DWORD timeout) {
  const DWORD start = GetTickCount();
  while (!dialog.Visible(id)) {
    if (GetTickCount() - start > timeout) return false;
    Sleep(100);
  }
  return true;
}

int Fail(const char* what) {
  std::fprintf(stderr, "demo_driver: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string setupExe = ToWindowsPath(FlagValue(argc, argv, "--setup-exe="));
  const std::string out = ToWindowsPath(FlagValue(argc, argv, "--out="));
  const std::string suffix = FlagValue(argc, argv, "--suffix=");
  if (setupExe.empty() || out.empty()) {
    return Fail("usage: demo_driver --setup-exe=PATH --out=FOLDER [--suffix=TEXT]");
  }

  SetupProcess setup(setupExe);
  if (!setup.started()) return Fail("SetUp.exe did not start");
  WindowDriver dialog = setup.WaitForDialog();
  if (dialog.hwnd() == nullptr) return Fail("the setup dialog did not appear");
  Sleep(kPaintDelay);
  if (!SaveScreenshot(dialog.hwnd(), out + "\\settings" + suffix + ".bmp"))
    return Fail("no settings screenshot");

  if (!dialog.PostClick(kIdInstall)) return Fail("Install could not be clicked");
  if (!WaitUntilVisible(dialog, kIdFinished, kInstallTimeout)) {
    WindowDriver box = setup.WaitForMessageBox(0);
    if (box.hwnd() != nullptr) std::fprintf(stderr, "message: %s\n", MessageBoxText(box).c_str());
    return Fail("the completion view did not appear");
  }
  Sleep(kPaintDelay);
  if (!SaveScreenshot(dialog.hwnd(), out + "\\completion" + suffix + ".bmp")) {
    return Fail("no completion screenshot");
  }

  if (!dialog.PostClick(kIdFinished) || !setup.WaitForExit()) {
    return Fail("SetUp.exe did not end after the completion button");
  }
  std::printf("install completed\n");
  return 0;
}
