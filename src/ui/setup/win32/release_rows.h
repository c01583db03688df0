#pragma once
// The setup dialog's release boxes, one row per release in year order: the
// check box's identifier, its control object and its tick value.

#include "base/release_years.h"
#include "ui/setup/win32/dlg_setup.h"
#include "ui/setup/win32/resource.h"

struct ReleaseRow {
  int year;
  int boxId;
  CButton Dlg_Setup::*box;
  int Dlg_Setup::*tick;
};

inline constexpr ReleaseRow kReleaseRows[] = {
    {2007, IDC_ACAD2007, &Dlg_Setup::m_chkAcad2007, &Dlg_Setup::m_bAcad2007},
    {2008, IDC_ACAD2008, &Dlg_Setup::m_chkAcad2008, &Dlg_Setup::m_bAcad2008},
    {2009, IDC_ACAD2009, &Dlg_Setup::m_chkAcad2009, &Dlg_Setup::m_bAcad2009},
    {2010, IDC_ACAD2010, &Dlg_Setup::m_chkAcad2010, &Dlg_Setup::m_bAcad2010},
    {2011, IDC_ACAD2011, &Dlg_Setup::m_chkAcad2011, &Dlg_Setup::m_bAcad2011},
    {2012, IDC_ACAD2012, &Dlg_Setup::m_chkAcad2012, &Dlg_Setup::m_bAcad2012},
    {2013, IDC_ACAD2013, &Dlg_Setup::m_chkAcad2013, &Dlg_Setup::m_bAcad2013},
    {2014, IDC_ACAD2014, &Dlg_Setup::m_chkAcad2014, &Dlg_Setup::m_bAcad2014},
    {2015, IDC_ACAD2015, &Dlg_Setup::m_chkAcad2015, &Dlg_Setup::m_bAcad2015},
    {2016, IDC_ACAD2016, &Dlg_Setup::m_chkAcad2016, &Dlg_Setup::m_bAcad2016},
    {2017, IDC_ACAD2017, &Dlg_Setup::m_chkAcad2017, &Dlg_Setup::m_bAcad2017},
    {2018, IDC_ACAD2018, &Dlg_Setup::m_chkAcad2018, &Dlg_Setup::m_bAcad2018},
    {2019, IDC_ACAD2019, &Dlg_Setup::m_chkAcad2019, &Dlg_Setup::m_bAcad2019},
    {2020, IDC_ACAD2020, &Dlg_Setup::m_chkAcad2020, &Dlg_Setup::m_bAcad2020},
    {2021, IDC_ACAD2021, &Dlg_Setup::m_chkAcad2021, &Dlg_Setup::m_bAcad2021},
    {2022, IDC_ACAD2022, &Dlg_Setup::m_chkAcad2022, &Dlg_Setup::m_bAcad2022},
    {2023, IDC_ACAD2023, &Dlg_Setup::m_chkAcad2023, &Dlg_Setup::m_bAcad2023},
    {2024, IDC_ACAD2024, &Dlg_Setup::m_chkAcad2024, &Dlg_Setup::m_bAcad2024},
    {2025, IDC_ACAD2025, &Dlg_Setup::m_chkAcad2025, &Dlg_Setup::m_bAcad2025},
};

static_assert(RunsByReleaseYear(kReleaseRows), "one row per release, 2007 first");

constexpr const ReleaseRow& ReleaseRowOf(int year) { return kReleaseRows[ReleaseIndex(year)]; }
constexpr int ReleaseBoxId(int year) { return ReleaseRowOf(year).boxId; }

// Whether `id` is a release box's identifier.
constexpr bool IsReleaseBoxId(unsigned short id) {
  for (const ReleaseRow& row : kReleaseRows) {
    if (row.boxId == id) return true;
  }
  return false;
}
