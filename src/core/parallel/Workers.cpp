#include "core/parallel/Workers.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

std::atomic<int> chosenWorkers{0};
std::atomic<size_t> chosenChunk{0};

// VK_WORKERS when it is a whole positive number, else 0.
int FromEnvironment() {
  const char* text = std::getenv("VK_WORKERS");
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return *end == '\0' && value > 0 && value <= 1024 ? int(value) : 0;
}

}  // namespace

int Workers() {
  if (const int chosen = chosenWorkers.load(std::memory_order_relaxed); chosen > 0) return chosen;
  static const int byDefault = [] {
    if (const int set = FromEnvironment(); set > 0) return set;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? int(cores) : 1;
  }();
  return byDefault;
}

void SetWorkers(int count, size_t smallestChunk) {
  chosenWorkers.store(count > 0 ? count : 0, std::memory_order_relaxed);
  chosenChunk.store(smallestChunk, std::memory_order_relaxed);
}

size_t SmallestChunk() {
  const size_t chosen = chosenChunk.load(std::memory_order_relaxed);
  return chosen > 0 ? chosen : kSmallestChunk;
}
