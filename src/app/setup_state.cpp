#include "app/setup_state.h"

#include <cassert>

namespace {

using ListMember = TextList SetupState::*;

constexpr ListMember kDirLists[kReleaseCount] = {
    &SetupState::m_arrAcadDir2007, &SetupState::m_arrAcadDir2008, &SetupState::m_arrAcadDir2009,
    &SetupState::m_arrAcadDir2010, &SetupState::m_arrAcadDir2011, &SetupState::m_arrAcadDir2012,
    &SetupState::m_arrAcadDir2013, &SetupState::m_arrAcadDir2014, &SetupState::m_arrAcadDir2015,
    &SetupState::m_arrAcadDir2016, &SetupState::m_arrAcadDir2017, &SetupState::m_arrAcadDir2018,
    &SetupState::m_arrAcadDir2019, &SetupState::m_arrAcadDir2020, &SetupState::m_arrAcadDir2021,
    &SetupState::m_arrAcadDir2022, &SetupState::m_arrAcadDir2023, &SetupState::m_arrAcadDir2024,
    &SetupState::m_arrAcadDir2025};

constexpr ListMember kKeyLists[kReleaseCount] = {
    &SetupState::m_arrAcadKey2007, &SetupState::m_arrAcadKey2008, &SetupState::m_arrAcadKey2009,
    &SetupState::m_arrAcadKey2010, &SetupState::m_arrAcadKey2011, &SetupState::m_arrAcadKey2012,
    &SetupState::m_arrAcadKey2013, &SetupState::m_arrAcadKey2014, &SetupState::m_arrAcadKey2015,
    &SetupState::m_arrAcadKey2016, &SetupState::m_arrAcadKey2017, &SetupState::m_arrAcadKey2018,
    &SetupState::m_arrAcadKey2019, &SetupState::m_arrAcadKey2020, &SetupState::m_arrAcadKey2021,
    &SetupState::m_arrAcadKey2022, &SetupState::m_arrAcadKey2023, &SetupState::m_arrAcadKey2024,
    &SetupState::m_arrAcadKey2025};

ListMember ListOf(const ListMember (&lists)[kReleaseCount], int year) {
  assert(IsReleaseYear(year));
  return lists[ReleaseIndex(year)];
}

}  // namespace

SetupState::SetupState(Platform& platform) : m_strValueName("AcadLocation"), m_platform(platform) {}

void SetupState::SetInstallDir(std::string folder) {
  m_strInstallDir = std::move(folder);
  DropTrailingBackslash(&m_strInstallDir);
}

TextList& SetupState::AcadDirs(int year) { return this->*ListOf(kDirLists, year); }
const TextList& SetupState::AcadDirs(int year) const { return this->*ListOf(kDirLists, year); }
TextList& SetupState::AcadKeys(int year) { return this->*ListOf(kKeyLists, year); }
const TextList& SetupState::AcadKeys(int year) const { return this->*ListOf(kKeyLists, year); }
