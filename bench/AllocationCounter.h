#pragma once
// Heap allocations made by the benchmark program so far: every operator new
// of the program goes through a counting replacement.

#include <cstdint>

namespace vael::bench {

std::uint64_t AllocationCount();

}  // namespace vael::bench
