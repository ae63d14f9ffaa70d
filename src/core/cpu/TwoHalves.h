#pragma once
// Work over a long range on the machine's two cores.

#include <cstddef>
#include <future>
#include <thread>

// Runs work(first, last) over [0, count): in two halves on two threads when
// the count is large and there are two cores (the first half on a new
// thread), else at once.
template <typename Work>
void InTwoHalves(size_t count, const Work& work) {
  constexpr size_t kWorthAThread = 50000;
  if (count < kWorthAThread || std::thread::hardware_concurrency() < 2) {
    work(size_t{0}, count);
    return;
  }
  auto firstHalf = std::async(std::launch::async, [&work, count] { work(size_t{0}, count / 2); });
  work(count / 2, count);
  firstHalf.get();
}
