// The registry contract against FakeRegistry.

#include <gtest/gtest.h>

#include "contract/registry_contract.h"
#include "support/fake_registry.h"

namespace {

class FakeRegistryUnderTest : public RegistryUnderTest {
 public:
  ~FakeRegistryUnderTest() override { EXPECT_EQ(0, m_registry.OpenHandleCount()); }
  platform::RegistryPort& Port() override { return m_registry; }
  std::string ScratchPath() const override { return "Software\\SetupContractTests\\Scratch"; }
  bool SeparateViews() const override { return true; }
  std::string NewHiveFile() override {
    const std::string file = "C:\\Users\\Contract\\NTUSER" + std::to_string(++m_hiveFiles) + ".DAT";
    m_registry.AddHiveFile(file);
    return file;
  }

 private:
  FakeRegistry m_registry;
  int m_hiveFiles = 0;
};

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
  return std::make_unique<FakeRegistryUnderTest>();
}
