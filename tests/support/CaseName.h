// How every parameterised test names its cases, in test names and failure messages: by the case's `what`. A table of
// plain values (an enum, a key) gives each value its name with Case.
#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>

// One value of a table of cases, with the name the test shows it by.
template <typename T>
struct Case {
  std::string what;
  T value;
};

template <typename T>
void PrintTo(const Case<T>& c, std::ostream* out) {
  *out << c.what;
}

// The last argument of INSTANTIATE_TEST_SUITE_P: names a case by its `what`.
struct CaseName {
  template <typename Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    return std::string(info.param.what);
  }
};
