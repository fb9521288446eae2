#pragma once

// How many threads the search reads with beside its own: as many as the
// machine has cores, a few at most. The search itself mostly waits for
// them and sums what they read.

#include <algorithm>
#include <cstddef>
#include <thread>

inline size_t LesefaedenAnzahl()
{
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
}
