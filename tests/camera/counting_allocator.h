// Counts the C heap calls of the whole process (the plug-in's included): the
// test binary interposes malloc, calloc, realloc and free. Not built with
// sanitizers, which bring their own allocator.
#pragma once

#include <atomic>
#include <cstddef>

namespace skyrind_test {

extern std::atomic<std::size_t> heapCalls;

}  // namespace skyrind_test
