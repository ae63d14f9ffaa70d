#pragma once
// How many threads the program's parallel work may take at once.

#include <cstddef>

// The number of workers: the count set with SetWorkers when one is set,
// else VK_WORKERS from the environment when it is a positive number, else
// the machine's cores. Always at least 1.
int Workers();

// Sets the number of workers for the whole process (0 returns to the
// default above) and the fewest items a range must give each worker for a
// split to pay (0 returns to the default, kSmallestChunk).
void SetWorkers(int count, size_t smallestChunk = 0);

// The fewest items one worker's chunk of a range may have: below that a
// thread costs more than it saves.
size_t SmallestChunk();

// A chunk of a long loop over simple items (a node's neighbours, a
// triangle's shape) takes about a millisecond at this size.
inline constexpr size_t kSmallestChunk = 25000;
