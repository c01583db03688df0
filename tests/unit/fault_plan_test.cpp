#include "support/fault_plan.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/table_rows.h"

namespace {

struct FaultCase {
  const char* name;
  Fault fault;
  std::vector<long> results;  // of five calls of "Copy" on "C:\A"
  PRINTS_ROW_NAME(FaultCase)
};

class FaultPlanTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultPlanTest, FailsTheNthMatchingCallOnceOrFromThenOnWithItsError) {
  FaultPlan plan({"Copy", "Move"});
  plan.Add(GetParam().fault);
  std::vector<long> results;
  for (int i = 0; i < 5; ++i) results.push_back(plan.Check("Copy", {"C:\\A"}, "v"));
  EXPECT_EQ(GetParam().results, results);
  EXPECT_EQ(0, plan.Check("Move", {"C:\\A"}));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultPlanTest,
    ::testing::Values(FaultCase{"first on", Fault("Copy"), {5, 5, 5, 5, 5}},
                      FaultCase{"third on", Fault("Copy", "c:\\a").Nth(3), {0, 0, 5, 5, 5}},
                      FaultCase{
                          "second once", Fault("Copy").Nth(2).Once().Error(32), {0, 32, 0, 0, 0}},
                      FaultCase{"other subject", Fault("Copy", "C:\\B"), {0, 0, 0, 0, 0}},
                      FaultCase{"other value", Fault("Copy").Value("x"), {0, 0, 0, 0, 0}}),
    RowName());

TEST(FaultPlan, AFaultForACallTheFakeDoesNotHaveIsATestError) {
  FaultPlan plan({"Copy"});
  EXPECT_NONFATAL_FAILURE(plan.Add(Fault("Cpoy")), "no call named Cpoy");
}

}  // namespace
