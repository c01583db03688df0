#include "platform/scoped_key.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/fake_registry.h"

namespace {

TEST(ScopedKey, ClosesItsKeyOnceWhateverBecomesOfIt) {
  FakeRegistry registry;
  registry.AddKey(kHKeyLocalMachine, "SOFTWARE\\A");
  registry.AddKey(kHKeyLocalMachine, "SOFTWARE\\B");
  {
    ScopedKey a = ScopedKey::OpenForRead(registry, kHKeyLocalMachine, "SOFTWARE\\A");
    ASSERT_TRUE(a);
    ScopedKey moved = std::move(a);
    EXPECT_FALSE(a);  // a moved-from owner holds nothing
    EXPECT_EQ(1, registry.OpenHandleCount());

    moved = ScopedKey::Create(registry, kHKeyLocalMachine, "SOFTWARE\\B\\New");
    EXPECT_TRUE(moved);
    EXPECT_EQ(1, registry.OpenHandleCount()) << "taking another key closes the first";
    EXPECT_TRUE(registry.KeyExists(kHKeyLocalMachine, "SOFTWARE\\B\\New"));
  }
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST(ScopedKey, AFailedOpenHoldsNothingAndReportsTheResult) {
  FakeRegistry registry;
  registry.AddKey(kHKeyLocalMachine, "SOFTWARE\\Locked");
  registry.Fail(Fault("OpenKeyForRead", KeyName(kHKeyLocalMachine, "SOFTWARE\\Locked")));
  long result = kErrorSuccess;
  const ScopedKey missing = ScopedKey::Open(registry, kHKeyLocalMachine, "SOFTWARE\\No", &result);
  EXPECT_FALSE(missing);
  EXPECT_EQ(kErrorFileNotFound, result);
  const ScopedKey locked =
      ScopedKey::OpenForRead(registry, kHKeyLocalMachine, "SOFTWARE\\Locked", &result);
  EXPECT_FALSE(locked);
  EXPECT_EQ(kErrorAccessDenied, result);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

}  // namespace
