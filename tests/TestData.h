#pragma once
// Tables and files the tests read from tests/data.

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

inline std::string TestData(const std::string& name) {
  return std::string(TEST_DATA) + "/" + name;
}

// The lines of a table, without blank lines and "#" comments.
inline std::vector<std::string> DataLines(const std::string& name) {
  std::ifstream in(TestData(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  if (lines.empty()) throw std::runtime_error("no test data in " + name);
  return lines;
}
