#include "platform/win32/win32_environment.h"

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/win32/ansi_to_wide.h"

namespace win32 {

using win32::AnsiTextToWide;

namespace {

// The longest text these calls give.
constexpr DWORD kLargestBuffer = 32768;

DWORD Grown(DWORD capacity) {
  return capacity < kLargestBuffer / 2 ? capacity * 2 : kLargestBuffer;
}

// Runs `fill(buffer, capacity)`, which returns the length written (without
// the NUL) when the text fits, 0 on failure, and otherwise the size it
// needs or the capacity itself (a cut-off text). Grows the buffer until the
// text fits. An empty text counts as success only when `emptyIsText` says so.
template <typename Fill, typename EmptyIsText>
bool ReadWhole(Fill fill, EmptyIsText emptyIsText, std::string* text) {
  for (DWORD capacity = MAX_PATH + 1;; capacity = Grown(capacity)) {
    std::vector<char> buffer(capacity);
    const DWORD length = fill(buffer.data(), capacity);
    if (length == 0 && !emptyIsText()) return false;
    if (length < capacity) {
      text->assign(buffer.data(), length);
      return true;
    }
    if (capacity == kLargestBuffer) return false;
  }
}

bool Never() { return false; }

}  // namespace

bool Win32Environment::GetVariable(const std::string& name, std::string* value) {
  return ReadWhole(
      [&](char* buffer, DWORD capacity) {
        SetLastError(ERROR_SUCCESS);
        return GetEnvironmentVariableA(name.c_str(), buffer, capacity);
      },
      // A variable set to the empty text gives 0 without an error.
      [] { return GetLastError() == ERROR_SUCCESS; }, value);
}

bool Win32Environment::ModulePath(std::string* path) {
  return ReadWhole(
      [](char* buffer, DWORD capacity) { return GetModuleFileNameA(nullptr, buffer, capacity); },
      Never, path);
}

bool Win32Environment::CurrentDirectory(std::string* path) {
  return ReadWhole(
      [](char* buffer, DWORD capacity) { return GetCurrentDirectoryA(capacity, buffer); }, Never,
      path);
}

bool Win32Environment::AnsiToWide(const std::string& text, std::u16string* wide) {
  return AnsiTextToWide(text, wide);
}

bool Win32Environment::WideToAnsi(const std::u16string& wide, std::string* text) {
  text->clear();
  if (wide.empty()) return true;
  if (wide.size() > INT_MAX) return false;
  const auto units = reinterpret_cast<const wchar_t*>(wide.data());
  const int size = static_cast<int>(wide.size());
  // Without best-fit mapping a character the code page lacks becomes the
  // default character and sets the flag, instead of turning into a look-alike.
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, size, nullptr, 0,
                                         nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  std::string converted(length, '\0');
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, size, &converted[0], length, nullptr,
                          nullptr) != length) {
    return false;
  }
  *text = std::move(converted);
  return true;
}

std::string Win32Environment::LocalDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  // Eight digits for every year from 1601, the first GetLocalTime gives, to 9999.
  return std::to_string(now.wYear * 10000 + now.wMonth * 100 + now.wDay);
}

}  // namespace win32
