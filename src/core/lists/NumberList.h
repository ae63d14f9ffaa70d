#pragma once
// Element and row numbers as messages name them: in increasing order, each
// once, the first twelve written out and the rest only counted, so that a
// message stays readable however many a mesh gives.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/Tr.h"

// Sorts the numbers and drops repeats.
inline void MakeDistinct(std::vector<int32_t>& numbers) {
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
}

// "2, 3, 4", or twelve of them followed by " … i 5 dalszych".
inline std::string NumberList(std::vector<int32_t> numbers) {
  constexpr size_t kShown = 12;
  MakeDistinct(numbers);
  std::string s;
  for (size_t i = 0; i < numbers.size() && i < kShown; ++i) s += (i ? ", " : "") + std::to_string(numbers[i]);
  if (numbers.size() > kShown) s += Tr("NumberList", " … i %1 dalszych").with(numbers.size() - kShown);
  return s;
}
