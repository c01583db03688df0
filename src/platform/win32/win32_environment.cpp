#include "platform/win32/win32_environment.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// The longest text these calls give, in units.
constexpr DWORD kLargestBuffer = 32768;

DWORD Grown(DWORD capacity) {
  return capacity < kLargestBuffer / 2 ? capacity * 2 : kLargestBuffer;
}

// Runs `fill(buffer, capacity)`, which returns the length written in units
// (without the NUL) when the text fits, 0 on failure, and otherwise the size
// it needs or the capacity itself (a cut-off text). Grows the buffer until
// the text fits. An empty text counts as success only when `emptyIsText`
// says so; a text with a lone surrogate, which no UTF-8 text names, fails.
template <typename Fill, typename EmptyIsText>
bool ReadWhole(Fill fill, EmptyIsText emptyIsText, std::string* text) {
  for (DWORD capacity = MAX_PATH + 1;; capacity = Grown(capacity)) {
    std::vector<wchar_t> buffer(capacity);
    const DWORD length = fill(buffer.data(), capacity);
    if (length == 0 && !emptyIsText()) return false;
    if (length < capacity) return ToUtf8(buffer.data(), length, text);
    if (capacity == kLargestBuffer) return false;
  }
}

bool Never() { return false; }

}  // namespace

bool Win32Environment::GetVariable(const std::string& name, std::string* value) {
  std::wstring wideName;
  if (!ToWide(name, &wideName)) return false;
  return ReadWhole(
      [&](wchar_t* buffer, DWORD capacity) {
        SetLastError(ERROR_SUCCESS);
        return GetEnvironmentVariableW(wideName.c_str(), buffer, capacity);
      },
      // A variable set to the empty text gives 0 without an error.
      [] { return GetLastError() == ERROR_SUCCESS; }, value);
}

bool Win32Environment::ModulePath(std::string* path) {
  return ReadWhole(
      [](wchar_t* buffer, DWORD capacity) { return GetModuleFileNameW(nullptr, buffer, capacity); },
      Never, path);
}

bool Win32Environment::CurrentDirectory(std::string* path) {
  return ReadWhole(
      [](wchar_t* buffer, DWORD capacity) { return GetCurrentDirectoryW(capacity, buffer); }, Never,
      path);
}

std::string Win32Environment::LocalDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  // Eight digits for every year from 1601, the first GetLocalTime gives, to 9999.
  return std::to_string(now.wYear * 10000 + now.wMonth * 100 + now.wDay);
}

}  // namespace win32
