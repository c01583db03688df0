#include "ui/setup/setup_dialog_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "base/installations.h"
#include "support/fake_platform.h"

using ui::InitialReleaseBoxes;

using ui::AnyReleaseTicked;
using ui::ComposeBitnessCaption;
using ui::ComposeVersionTitle;
using ui::CountReleaseFolders;
using ui::ReleaseBoxState;
using ui::ReleaseBoxStates;
using ui::ReleaseFolderCounts;

namespace {

ReleaseFolderCounts FoundReleases(std::initializer_list<int> years) {
  ReleaseFolderCounts counts{};
  for (int year : years) counts[base::ReleaseIndex(year)] = 1;
  return counts;
}

// Years of the boxes with the given property, ascending.
template <typename Predicate>
std::vector<int> YearsWhere(const ReleaseBoxStates& boxes, Predicate predicate) {
  std::vector<int> years;
  for (int k = 0; k < base::kReleaseCount; ++k) {
    if (predicate(boxes[k])) years.push_back(base::ReleaseYear(k));
  }
  return years;
}

std::vector<int> EnabledYears(const ReleaseBoxStates& boxes) {
  return YearsWhere(boxes, [](const ReleaseBoxState& box) { return box.enabled; });
}
std::vector<int> HiddenYears(const ReleaseBoxStates& boxes) {
  return YearsWhere(boxes, [](const ReleaseBoxState& box) { return !box.visible; });
}
std::vector<int> TickedYears(const ReleaseBoxStates& boxes) {
  return YearsWhere(boxes, [](const ReleaseBoxState& box) { return box.tick != 0; });
}

base::ReleaseTicks TicksOf(const ReleaseBoxStates& boxes) {
  base::ReleaseTicks ticks{};
  for (int k = 0; k < base::kReleaseCount; ++k) ticks[k] = boxes[k].tick;
  return ticks;
}

const std::vector<int> kWithdrawnYears = {2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025};

TEST(VersionTitle, MinorAndPatchEachGetALeadingZeroOnlyBelowTen) {
  EXPECT_EQ("批打印软件 V2025.03.01", ComposeVersionTitle(20250301));
  EXPECT_EQ("批打印软件 V2025.12.03", ComposeVersionTitle(20251203));
  EXPECT_EQ("批打印软件 V2025.03.12", ComposeVersionTitle(20250312));
  EXPECT_EQ("批打印软件 V2025.10.10", ComposeVersionTitle(20251010));
  EXPECT_EQ("批打印软件 V2025.09.09", ComposeVersionTitle(20250909));
  EXPECT_EQ("批打印软件 V1.00.00", ComposeVersionTitle(10000));
}

TEST(BitnessCaption, NamesTheBitness) {
  EXPECT_EQ("( 32位 AutoCAD版 )", ComposeBitnessCaption(32));
  EXPECT_EQ("( 64位 AutoCAD版 )", ComposeBitnessCaption(64));
}

TEST(InitialReleaseBoxes, NoReleaseFoundLeavesEveryBoxDisabledAndUnticked) {
  const ReleaseBoxStates boxes = InitialReleaseBoxes(ReleaseFolderCounts{}, 32);
  EXPECT_TRUE(EnabledYears(boxes).empty());
  EXPECT_TRUE(TickedYears(boxes).empty());
  EXPECT_EQ(kWithdrawnYears, HiddenYears(boxes));
  EXPECT_FALSE(AnyReleaseTicked(TicksOf(boxes)));
}

TEST(InitialReleaseBoxes, A32BitBuildHidesAndUnticksAFoundLaterRelease) {
  const ReleaseBoxStates boxes = InitialReleaseBoxes(FoundReleases({2018}), 32);
  EXPECT_EQ(kWithdrawnYears, HiddenYears(boxes));
  EXPECT_TRUE(TickedYears(boxes).empty());
  EXPECT_FALSE(AnyReleaseTicked(TicksOf(boxes)));
}

TEST(InitialReleaseBoxes, A32BitBuildKeepsOnlyTheFoundEarlierReleases) {
  const ReleaseBoxStates boxes = InitialReleaseBoxes(FoundReleases({2010, 2020}), 32);
  EXPECT_EQ(std::vector<int>({2010, 2020}), EnabledYears(boxes));
  EXPECT_EQ(std::vector<int>({2010}), TickedYears(boxes));
  EXPECT_EQ(kWithdrawnYears, HiddenYears(boxes));
  EXPECT_TRUE(AnyReleaseTicked(TicksOf(boxes)));
}

TEST(InitialReleaseBoxes, A64BitBuildKeepsEveryReleaseInPlace) {
  ReleaseFolderCounts counts = FoundReleases({2007, 2016, 2017, 2025});
  counts[base::ReleaseIndex(2016)] = 3;
  const ReleaseBoxStates boxes = InitialReleaseBoxes(counts, 64);
  const std::vector<int> found = {2007, 2016, 2017, 2025};
  EXPECT_EQ(found, EnabledYears(boxes));
  EXPECT_EQ(found, TickedYears(boxes));
  EXPECT_TRUE(HiddenYears(boxes).empty());
}

TEST(CountReleaseFolders, CountsTheFoldersOfEveryReleaseByItsYear) {
  base::Installations state;
  state.HostFolders(2010).push_back("C:\\AutoCAD 2010");
  state.HostFolders(2010).push_back("D:\\AutoCAD 2010");
  state.HostFolders(2025).push_back("C:\\AutoCAD 2025");

  ReleaseFolderCounts expected{};
  expected[base::ReleaseIndex(2010)] = 2;
  expected[base::ReleaseIndex(2025)] = 1;
  EXPECT_EQ(expected, CountReleaseFolders(state));
}

TEST(AnyReleaseTicked, AnySingleTickCounts) {
  for (int k = 0; k < base::kReleaseCount; ++k) {
    base::ReleaseTicks ticks{};
    ticks[k] = 1;
    EXPECT_TRUE(AnyReleaseTicked(ticks)) << "release " << base::ReleaseYear(k);
  }
}

}  // namespace
