#include "counting_allocator.h"

#include <cstdlib>

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);
void __libc_free(void *p);
}

namespace skyrind_test {

std::atomic<std::size_t> heapCalls{0};

}  // namespace skyrind_test

using skyrind_test::heapCalls;

extern "C" {
void *malloc(std::size_t size) {
  heapCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size) {
  heapCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}
void *realloc(void *p, std::size_t size) {
  heapCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(p, size);
}
void free(void *p) {
  if (p) heapCalls.fetch_add(1, std::memory_order_relaxed);
  __libc_free(p);
}
}
