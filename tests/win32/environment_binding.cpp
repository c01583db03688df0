// The environment contract against Win32Environment in this test program,
// with a folder below the temporary folder made current for the test, named
// with characters that no code page holds together.

#include <windows.h>
#include <gtest/gtest.h>

#include "contract/environment_contract.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_environment.h"

using win32::Utf8;
using win32::Wide;

namespace {

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, folder);
  EXPECT_TRUE(length > 0 && length < MAX_PATH + 1);
  return folder;
}

class Win32EnvironmentUnderTest : public EnvironmentUnderTest {
 public:
  Win32EnvironmentUnderTest() : m_restore(CurrentFolder()) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_TRUE(length > 1 && length < MAX_PATH + 1);
    m_working = std::wstring(temp, length) + L"env-contract 中文 한국어 𝄞";
    EXPECT_TRUE(CreateDirectoryW(m_working.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(SetCurrentDirectoryW(m_working.c_str())) << Utf8(m_working);
  }
  ~Win32EnvironmentUnderTest() override {
    SetCurrentDirectoryW(m_restore.c_str());
    RemoveDirectoryW(m_working.c_str());
  }

  platform::EnvironmentPort& Port() override { return m_environment; }
  void SetVariable(const std::string& name, const std::string& value) override {
    EXPECT_TRUE(SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str()));
  }
  void UnsetVariable(const std::string& name) override {
    SetEnvironmentVariableW(Wide(name).c_str(), nullptr);
  }
  std::string ProgramFileName() const override { return "win32_tests.exe"; }
  std::string WorkingFolder() const override { return Utf8(m_working); }

 private:
  win32::Win32Environment m_environment;
  std::wstring m_restore;
  std::wstring m_working;
};

}  // namespace

std::unique_ptr<EnvironmentUnderTest> MakeEnvironmentUnderTest() {
  return std::make_unique<Win32EnvironmentUnderTest>();
}
