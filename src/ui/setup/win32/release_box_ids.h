#pragma once
// The release check boxes' control identifiers in year order, 2007 first.
// They do not run in year order: 2010 is 1027 and 2011 is 1026.

#include "app/release_years.h"
#include "ui/setup/win32/resource.h"

constexpr int kReleaseBoxIds[kReleaseCount] = {
    IDC_ACAD2007, IDC_ACAD2008, IDC_ACAD2009, IDC_ACAD2010, IDC_ACAD2011,
    IDC_ACAD2012, IDC_ACAD2013, IDC_ACAD2014, IDC_ACAD2015, IDC_ACAD2016,
    IDC_ACAD2017, IDC_ACAD2018, IDC_ACAD2019, IDC_ACAD2020, IDC_ACAD2021,
    IDC_ACAD2022, IDC_ACAD2023, IDC_ACAD2024, IDC_ACAD2025};

constexpr int ReleaseBoxId(int year) { return kReleaseBoxIds[ReleaseIndex(year)]; }
