#include "ui/picker/application_name.h"

#include <gtest/gtest.h>

#include "support/fake_environment.h"

using ui::ApplicationName;

namespace {

std::string NameOf(const std::string& modulePath) {
  FakeEnvironment environment;
  environment.SetModulePath(modulePath);
  return ApplicationName(environment);
}

TEST(ApplicationNameTest, IsTheProgramFileNameWithoutExtension) {
  EXPECT_EQ("SetUp", NameOf("C:\\dist\\SetUp.exe"));
  EXPECT_EQ("Set.Up", NameOf("C:\\dist\\Set.Up.exe"));
  EXPECT_EQ("SetUp", NameOf("C:\\dist.v2\\SetUp"));
  EXPECT_EQ("SetUp", NameOf("SetUp.exe"));
}

TEST(ApplicationNameTest, KeepsMultiByteCharactersWhole) {
  EXPECT_EQ("安装한국어SetUp", NameOf("C:\\安装\\안.d\\安装한국어SetUp.exe"));
}

TEST(ApplicationNameTest, ALoneLeadByteHidesNoSeparatorOrDot) {
  EXPECT_EQ("SetUp", NameOf("C:\\dist\x81/SetUp.exe"));
  EXPECT_EQ("Set\x81", NameOf("C:\\dist\\Set\x81.exe"));
}

TEST(ApplicationNameTest, IsEmptyWhenTheProgramPathIsUnknown) {
  FakeEnvironment environment;
  EXPECT_EQ("", ApplicationName(environment));
}

}  // namespace
