#include "app/setup_state.h"

#include <cassert>

using base::DropTrailingBackslash;

namespace {

using ListMember = TextList SetupState::*;

// One row per release, 2007 first: its folder list and its key list.
struct ReleaseLists {
  int year;
  ListMember dirs;
  ListMember keys;
};

constexpr ReleaseLists kReleaseLists[] = {
    {2007, &SetupState::m_arrAcadDir2007, &SetupState::m_arrAcadKey2007},
    {2008, &SetupState::m_arrAcadDir2008, &SetupState::m_arrAcadKey2008},
    {2009, &SetupState::m_arrAcadDir2009, &SetupState::m_arrAcadKey2009},
    {2010, &SetupState::m_arrAcadDir2010, &SetupState::m_arrAcadKey2010},
    {2011, &SetupState::m_arrAcadDir2011, &SetupState::m_arrAcadKey2011},
    {2012, &SetupState::m_arrAcadDir2012, &SetupState::m_arrAcadKey2012},
    {2013, &SetupState::m_arrAcadDir2013, &SetupState::m_arrAcadKey2013},
    {2014, &SetupState::m_arrAcadDir2014, &SetupState::m_arrAcadKey2014},
    {2015, &SetupState::m_arrAcadDir2015, &SetupState::m_arrAcadKey2015},
    {2016, &SetupState::m_arrAcadDir2016, &SetupState::m_arrAcadKey2016},
    {2017, &SetupState::m_arrAcadDir2017, &SetupState::m_arrAcadKey2017},
    {2018, &SetupState::m_arrAcadDir2018, &SetupState::m_arrAcadKey2018},
    {2019, &SetupState::m_arrAcadDir2019, &SetupState::m_arrAcadKey2019},
    {2020, &SetupState::m_arrAcadDir2020, &SetupState::m_arrAcadKey2020},
    {2021, &SetupState::m_arrAcadDir2021, &SetupState::m_arrAcadKey2021},
    {2022, &SetupState::m_arrAcadDir2022, &SetupState::m_arrAcadKey2022},
    {2023, &SetupState::m_arrAcadDir2023, &SetupState::m_arrAcadKey2023},
    {2024, &SetupState::m_arrAcadDir2024, &SetupState::m_arrAcadKey2024},
    {2025, &SetupState::m_arrAcadDir2025, &SetupState::m_arrAcadKey2025},
};

static_assert(RunsByReleaseYear(kReleaseLists), "one row per release, 2007 first");

const ReleaseLists& ListsOf(int year) {
  assert(IsReleaseYear(year));
  return kReleaseLists[ReleaseIndex(year)];
}

}  // namespace

SetupState::SetupState(Platform& platform) : m_platform(platform) {}

void SetupState::SetInstallDir(std::string folder) {
  m_strInstallDir = std::move(folder);
  DropTrailingBackslash(&m_strInstallDir);
}

TextList& SetupState::AcadDirs(int year) { return this->*ListsOf(year).dirs; }
const TextList& SetupState::AcadDirs(int year) const { return this->*ListsOf(year).dirs; }
TextList& SetupState::AcadKeys(int year) { return this->*ListsOf(year).keys; }
const TextList& SetupState::AcadKeys(int year) const { return this->*ListsOf(year).keys; }
