#pragma once
// The host releases served: 2007 to 2025. A release's position in every
// per-release list, flag set or argument is its year minus 2007.

#include <array>
#include <cstddef>

namespace base {

constexpr int kFirstReleaseYear = 2007;
constexpr int kLastReleaseYear = 2025;
constexpr int kReleaseCount = kLastReleaseYear - kFirstReleaseYear + 1;

constexpr int ReleaseIndex(int year) { return year - kFirstReleaseYear; }
constexpr int ReleaseYear(int index) { return kFirstReleaseYear + index; }
constexpr bool IsReleaseYear(int year) {
  return year >= kFirstReleaseYear && year <= kLastReleaseYear;
}

// One tick value per release, 2007 first; non-zero means ticked.
using ReleaseTicks = std::array<int, kReleaseCount>;

// Whether a per-release table has one row per release in year order (row k
// is release 2007 + k); for static_assert on tables with a `year` member.
template <typename Row, std::size_t N>
constexpr bool RunsByReleaseYear(const Row (&rows)[N]) {
  if (N != kReleaseCount) return false;
  for (std::size_t k = 0; k < N; ++k) {
    if (rows[k].year != ReleaseYear(static_cast<int>(k))) return false;
  }
  return true;
}

}  // namespace base
