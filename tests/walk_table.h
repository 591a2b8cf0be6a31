// The end-to-end table: a fixture file, a command line, and the exact standard output, standard
// error and exit status they must give. Its test lives in walk_test.cpp; any test file may add
// rows with INSTANTIATE_TEST_SUITE_P(Name, WalkTable, ...).
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "riff_bytes.h"

struct WalkCase {
  const char* name;
  std::optional<riff::Bytes> file;  // written as x.wav in the working directory
  std::vector<std::string> args;    // the command line after the program's name
  std::string out;
  std::string err;
  int exit_status;
};

// Test names and failure messages show the case's name, not its bytes.
inline void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

inline std::string walk_case_name(const ::testing::TestParamInfo<WalkCase>& test) {
  return test.param.name;
}

class WalkTable : public ::testing::TestWithParam<WalkCase> {};
