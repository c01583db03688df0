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
