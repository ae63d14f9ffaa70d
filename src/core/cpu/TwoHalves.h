#pragma once
// Work over a long range on the machine's two cores.

#include <cstddef>
#include <future>
#include <thread>

// Runs first() and second() at once on the machine's two cores when it is
// worth a thread and there are two cores (first() on a new thread), else
// one after the other.
template <typename First, typename Second>
void Together(bool worthAThread, const First& first, const Second& second) {
  if (!worthAThread || std::thread::hardware_concurrency() < 2) {
    first();
    second();
    return;
  }
  auto one = std::async(std::launch::async, [&first] { first(); });
  second();
  one.get();
}

// Runs work(first, last) over [0, count): in two halves on two threads when
// the count is large and there are two cores (the first half on a new
// thread), else at once.
template <typename Work>
void InTwoHalves(size_t count, const Work& work) {
  constexpr size_t kWorthAThread = 50000;
  if (count < kWorthAThread) {
    work(size_t{0}, count);
    return;
  }
  Together(
      true, [&work, count] { work(size_t{0}, count / 2); }, [&work, count] { work(count / 2, count); });
}
