#pragma once
// The budgets the DXF reader helper runs under, so that a hostile file
// exhausts them long before the machine: address space of 512 MiB and
// sixteen times the file's size, never above half of the machine's memory;
// twenty seconds of processor time and one more per 4 MiB of the file.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

inline void LimitReaderResources(int64_t fileBytes) {
#ifndef VK_SANITIZED  // the sanitizers reserve terabytes of address space
  const int64_t half = int64_t(sysconf(_SC_PHYS_PAGES)) * int64_t(sysconf(_SC_PAGESIZE)) / 2;
  int64_t bytes = (int64_t(512) << 20) + 16 * std::max<int64_t>(0, fileBytes);
  if (half > 0) bytes = std::min(bytes, half);
  const rlimit memory{rlim_t(bytes), rlim_t(bytes)};
  setrlimit(RLIMIT_AS, &memory);
#endif
  const rlim_t seconds = 20 + rlim_t(std::max<int64_t>(0, fileBytes) >> 22);
  const rlimit cpu{seconds, seconds};
  setrlimit(RLIMIT_CPU, &cpu);
}
