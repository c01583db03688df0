#pragma once
// The setup dialog's release boxes by release year.

#include <iterator>

#include "base/release_years.h"
#include "ui/setup/win32/resource.h"

namespace ui {

static_assert(std::size(kReleaseBoxIds) == base::kReleaseCount, "one box per release");

constexpr int ReleaseBoxId(int year) { return kReleaseBoxIds[base::ReleaseIndex(year)]; }

// Whether `id` is a release box's identifier.
constexpr bool IsReleaseBoxId(unsigned short id) {
  for (int boxId : kReleaseBoxIds) {
    if (boxId == id) return true;
  }
  return false;
}

}  // namespace ui
