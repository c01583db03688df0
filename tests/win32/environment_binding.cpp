// The environment contract against Win32Environment in this test program,
// with the temporary folder made current for the test.

#include <windows.h>
#include <gtest/gtest.h>

#include "contract/environment_contract.h"
#include "platform/win32/win32_environment.h"

namespace {

std::string CurrentFolder() {
  char folder[MAX_PATH + 1];
  const DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
  EXPECT_TRUE(length > 0 && length < sizeof(folder));
  return folder;
}

class Win32EnvironmentUnderTest : public EnvironmentUnderTest {
 public:
  Win32EnvironmentUnderTest() : m_restore(CurrentFolder()) {
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    EXPECT_TRUE(length > 1 && length < sizeof(temp));
    m_working.assign(temp, length - 1);  // without its trailing backslash
    EXPECT_TRUE(SetCurrentDirectoryA(m_working.c_str())) << m_working;
  }
  ~Win32EnvironmentUnderTest() override { SetCurrentDirectoryA(m_restore.c_str()); }

  platform::EnvironmentPort& Port() override { return m_environment; }
  void SetVariable(const std::string& name, const std::string& value) override {
    EXPECT_TRUE(SetEnvironmentVariableA(name.c_str(), value.c_str()));
  }
  void UnsetVariable(const std::string& name) override {
    SetEnvironmentVariableA(name.c_str(), nullptr);
  }
  std::string ProgramFileName() const override { return "win32_tests.exe"; }
  std::string WorkingFolder() const override { return m_working; }

 private:
  win32::Win32Environment m_environment;
  std::string m_restore;
  std::string m_working;
};

}  // namespace

std::unique_ptr<EnvironmentUnderTest> MakeEnvironmentUnderTest() {
  return std::make_unique<Win32EnvironmentUnderTest>();
}
