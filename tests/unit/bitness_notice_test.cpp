#include "ui/setup/bitness_notice.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/fake_platform.h"
#include "support/test_values.h"

using ui::InitialReleaseBoxes;
using ui::ReleaseFolderCounts;

using ui::NoticeIfHostsNeed64BitSetup;
using ui::ReleaseBoxStates;

namespace {

void AddInstallation(FakeRegistry& registry, int year) {
  const std::string key = "SOFTWARE\\Autodesk\\AutoCAD\\R" + std::to_string(year) + "\\ACAD:804";
  registry.SetString(platform::kHKeyLocalMachine, key, "AcadLocation", "C:\\AutoCAD");
  registry.SetString(platform::kHKeyLocalMachine, key, "ProductName",
                     "AutoCAD " + std::to_string(year));
}

ReleaseBoxStates BoxesFound(std::initializer_list<int> years, int acadBitness) {
  ReleaseFolderCounts counts{};
  for (int year : years) counts[base::ReleaseIndex(year)] = 1;
  return InitialReleaseBoxes(counts, acadBitness);
}

struct NoticeCase {
  const char* what;
  int acadBitness;
  std::initializer_list<int> foundHere;  // releases the program's own view holds
  std::initializer_list<int> foundIn64;  // releases the 64-bit view holds
  bool hasView64;                        // the process runs under WOW64
  bool shown;
};

const NoticeCase kNoticeCases[] = {
    {"64-bit hosts only", 32, {}, {2020}, true, true},
    {"a withdrawn release here as well", 32, {2018}, {2018, 2024}, true, true},
    {"a 64-bit host of an early year", 32, {}, {2010}, true, true},
    {"a served release found here", 32, {2010}, {2020}, true, false},
    {"nothing in the 64-bit view", 32, {}, {}, true, false},
    {"no 64-bit view (32-bit Windows)", 32, {}, {2020}, false, false},
    {"the 64-bit program", 64, {}, {2020}, true, false},
};

TEST(BitnessNotice, Needs64BitSetupExactlyWhenOnly64BitHostsAreThere) {
  for (const NoticeCase& c : kNoticeCases) {
    FakePlatform fake;
    FakeRegistry view64;
    for (int year : c.foundIn64) AddInstallation(view64, year);
    if (c.shown) fake.prompt.Answer(platform::kIdOk);

    EXPECT_EQ(c.shown,
              NoticeIfHostsNeed64BitSetup(fake.platform, BoxesFound(c.foundHere, c.acadBitness),
                                          c.acadBitness, c.hasView64 ? &view64 : nullptr))
        << c.what;
    ASSERT_EQ(c.shown ? 1u : 0u, fake.prompt.Calls().size()) << c.what;
    EXPECT_EQ(0, view64.OpenHandleCount()) << c.what;
    if (!c.shown) continue;
    const PromptCall& box = fake.prompt.Calls()[0];
    EXPECT_EQ(kSetupBoxCaption, box.caption);
    EXPECT_EQ(platform::kMbOk | platform::kMbIconWarning, box.style);
    EXPECT_NE(std::string::npos, box.text.find("64位")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("SetUp.exe")) << box.text;
  }
}

}  // namespace
