#include "support/fault_plan.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FaultCase {
  const char* name;
  Fault fault;
  std::vector<long> results;  // of five calls of "Copy" on "C:\A"
};

TEST(FaultPlan, FailsTheNthMatchingCallOnceOrFromThenOnWithItsError) {
  const FaultCase cases[] = {
      {"first on", Fault("Copy"), {5, 5, 5, 5, 5}},
      {"third on", Fault("Copy", "c:\\a").Nth(3), {0, 0, 5, 5, 5}},
      {"second once", Fault("Copy").Nth(2).Once().Error(32), {0, 32, 0, 0, 0}},
      {"other subject", Fault("Copy", "C:\\B"), {0, 0, 0, 0, 0}},
      {"other value", Fault("Copy").Value("x"), {0, 0, 0, 0, 0}},
  };
  for (const FaultCase& c : cases) {
    FaultPlan plan({"Copy", "Move"});
    plan.Add(c.fault);
    std::vector<long> results;
    for (int i = 0; i < 5; ++i) results.push_back(plan.Check("Copy", {"C:\\A"}, "v"));
    EXPECT_EQ(c.results, results) << c.name;
    EXPECT_EQ(0, plan.Check("Move", {"C:\\A"})) << c.name;
  }
}

TEST(FaultPlan, AFaultForACallTheFakeDoesNotHaveIsATestError) {
  FaultPlan plan({"Copy"});
  EXPECT_NONFATAL_FAILURE(plan.Add(Fault("Cpoy")), "no call named Cpoy");
}

}  // namespace
