// The environment contract against FakeEnvironment, arranged as a program
// started from C:\Dist\SetUp.exe in a working folder whose name no code
// page holds.

#include "contract/environment_contract.h"
#include "support/fake_environment.h"

namespace {

class FakeEnvironmentUnderTest : public EnvironmentUnderTest {
 public:
  FakeEnvironmentUnderTest() {
    m_environment.SetModulePath("C:\\Dist\\" + ProgramFileName());
    m_environment.SetCurrentDirectory(WorkingFolder());
  }
  platform::EnvironmentPort& Port() override { return m_environment; }
  void SetVariable(const std::string& name, const std::string& value) override {
    m_environment.SetVariable(name, value);
  }
  void UnsetVariable(const std::string& name) override { m_environment.UnsetVariable(name); }
  std::string ProgramFileName() const override { return "SetUp.exe"; }
  std::string WorkingFolder() const override { return "C:\\Work 中文 한국어 𝄞"; }

 private:
  FakeEnvironment m_environment;
};

}  // namespace

std::unique_ptr<EnvironmentUnderTest> MakeEnvironmentUnderTest() {
  return std::make_unique<FakeEnvironmentUnderTest>();
}
