#pragma once
// Fork-join: a range of items split into chunks that run on threads of their
// own at once, and a handful of independent tasks run together; either way
// the call returns once all of them have ended.

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <functional>
#include <future>
#include <vector>

#include "core/parallel/Workers.h"

// [0, count) in up to `workers` chunks of at least `smallest` items each
// (always one chunk at least, empty for an empty range), as even as they
// can be: chunk k is [from(k), from(k + 1)).
class RangeSplit {
 public:
  explicit RangeSplit(size_t count, int workers = Workers(), size_t smallest = SmallestChunk())
      : count_(count),
        chunks_(std::max<size_t>(
            1, std::min(size_t(std::max(workers, 1)), count / std::max<size_t>(smallest, 1)))) {}

  size_t chunks() const { return chunks_; }
  size_t from(size_t chunk) const { return count_ * chunk / chunks_; }

  // Runs work(chunk, from, to) for every chunk: the first on the calling
  // thread, each other on a new thread. What any of them throws is thrown
  // here once all have ended (the lowest chunk's when several throw).
  template <typename Work>
  void run(const Work& work) const {
    if (chunks_ == 1) {
      work(size_t{0}, size_t{0}, count_);
      return;
    }
    std::vector<std::future<void>> others;
    others.reserve(chunks_ - 1);
    std::exception_ptr failed;
    try {
      for (size_t k = 1; k < chunks_; ++k)
        others.push_back(std::async(std::launch::async, [this, &work, k] { work(k, from(k), from(k + 1)); }));
      work(size_t{0}, size_t{0}, from(1));
    } catch (...) {
      failed = std::current_exception();
    }
    for (auto& other : others) {
      try {
        other.get();
      } catch (...) {
        if (!failed) failed = std::current_exception();
      }
    }
    if (failed) std::rethrow_exception(failed);
  }

 private:
  size_t count_;
  size_t chunks_;
};

// Runs work(from, to) over [0, count) split as RangeSplit does with the
// process's workers.
template <typename Work>
void ForkJoin(size_t count, const Work& work) {
  RangeSplit(count).run([&work](size_t, size_t from, size_t to) { work(from, to); });
}

// Runs the tasks on up to `workers` threads at once (the calling thread
// one of them), each task whole on one thread; with one worker, in turn.
template <typename... Tasks>
void RunTogether(int workers, const Tasks&... tasks) {
  const std::array<std::function<void()>, sizeof...(Tasks)> all{std::function<void()>(std::cref(tasks))...};
  RangeSplit(all.size(), workers, 1).run([&all](size_t, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) all[i]();
  });
}
