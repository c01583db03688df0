#include "platform/scoped_key.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/fake_registry.h"

namespace {

TEST(ScopedKey, ClosesItsKeyOnceWhateverBecomesOfIt) {
  FakeRegistry registry;
  registry.AddKey(platform::kHKeyLocalMachine, "SOFTWARE\\A");
  registry.AddKey(platform::kHKeyLocalMachine, "SOFTWARE\\B");
  {
    platform::ScopedKey a =
        platform::ScopedKey::OpenForRead(registry, platform::kHKeyLocalMachine, "SOFTWARE\\A");
    ASSERT_TRUE(a);
    platform::ScopedKey moved = std::move(a);
    EXPECT_FALSE(a);  // a moved-from owner holds nothing
    EXPECT_EQ(1, registry.OpenHandleCount());

    moved = platform::ScopedKey::Create(registry, platform::kHKeyLocalMachine, "SOFTWARE\\B\\New");
    EXPECT_TRUE(moved);
    EXPECT_EQ(1, registry.OpenHandleCount()) << "taking another key closes the first";
    EXPECT_TRUE(registry.KeyExists(platform::kHKeyLocalMachine, "SOFTWARE\\B\\New"));
  }
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST(ScopedKey, AFailedOpenHoldsNothingAndReportsTheResult) {
  FakeRegistry registry;
  registry.AddKey(platform::kHKeyLocalMachine, "SOFTWARE\\Locked");
  registry.Fail(Fault("OpenKeyForRead", KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Locked")));
  long result = kErrorSuccess;
  const platform::ScopedKey missing =
      platform::ScopedKey::Open(registry, platform::kHKeyLocalMachine, "SOFTWARE\\No", &result);
  EXPECT_FALSE(missing);
  EXPECT_EQ(kErrorFileNotFound, result);
  const platform::ScopedKey locked = platform::ScopedKey::OpenForRead(
      registry, platform::kHKeyLocalMachine, "SOFTWARE\\Locked", &result);
  EXPECT_FALSE(locked);
  EXPECT_EQ(kErrorAccessDenied, result);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

}  // namespace
