#pragma once
// Paths of an exact length, for tests at the 260-byte path limit.

#include <cassert>
#include <string>

// `start` followed by filler letters up to `length` bytes in all.
inline std::string PathOfLength(const std::string& start, std::size_t length) {
  assert(length >= start.size());
  return start + std::string(length - start.size(), 'p');
}
