#pragma once
// Rows of a parameterised table test, named so that a failure names its
// row: by a row's `name` ("first on" becomes first_on), and printed as that
// name instead of as bytes.

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    std::string name;
    for (const char c : std::string(info.param.name)) {
      name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
  }
};

// Prints a row with a `name` as its name.
#define PRINTS_ROW_NAME(Row) \
  friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// A row that is a name and one text.
struct TextRow {
  const char* name;
  std::string text;
  PRINTS_ROW_NAME(TextRow)
};

// Names no one code page holds together: Chinese, Hangul, a character past
// U+FFFF, and all three.
inline auto ForeignTextRows() {
  return ::testing::Values(TextRow{"chinese", "中文"}, TextRow{"hangul", "한국어"},
                           TextRow{"outside the BMP", "𝄞"}, TextRow{"all three", "中文 한국어 𝄞"});
}
