#include "contract/progress_contract.h"

#include <gtest/gtest.h>

namespace {

class ProgressContract : public ::testing::Test {
 protected:
  void SetUp() override { m_under = MakeProgressUnderTest(); }

  platform::ProgressPort& progress() { return m_under->Port(); }
  int Position() { return m_under->Position(); }
  void StepTimes(int count) {
    for (int i = 0; i < count; ++i) progress().StepIt();
  }

 private:
  std::unique_ptr<ProgressUnderTest> m_under;
};

TEST_F(ProgressContract, SteppingPastTheMaximumStartsOverWithTheOvershoot) {
  progress().SetRange(0, 50);
  progress().SetStep(1);
  progress().SetPos(0);
  StepTimes(50);
  EXPECT_EQ(Position(), 50);
  StepTimes(1);
  EXPECT_EQ(Position(), 1);
  StepTimes(9);
  EXPECT_EQ(Position(), 10);
}

TEST_F(ProgressContract, WrapCountsFromTheMinimum) {
  progress().SetRange(10, 20);
  progress().SetPos(10);
  progress().SetStep(4);
  StepTimes(3);
  EXPECT_EQ(Position(), 12);
}

TEST_F(ProgressContract, NegativeStepWrapsFromTheMaximum) {
  progress().SetRange(0, 50);
  progress().SetPos(0);
  progress().SetStep(-1);
  StepTimes(1);
  EXPECT_EQ(Position(), 49);
}

TEST_F(ProgressContract, PositionIsHeldInsideTheRange) {
  progress().SetRange(0, 50);
  progress().SetPos(70);
  EXPECT_EQ(Position(), 50);
  progress().SetPos(-5);
  EXPECT_EQ(Position(), 0);
  progress().SetPos(40);
  progress().SetRange(0, 20);
  EXPECT_EQ(Position(), 20);
}

TEST_F(ProgressContract, ControlStartsAtZeroOfAHundredInStepsOfTen) {
  StepTimes(11);
  EXPECT_EQ(Position(), 10);
}

}  // namespace
