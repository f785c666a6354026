// A property every input must keep: names the broken one on stderr, then
// stops the process so the fuzzer keeps the input as a crash.
#pragma once

#include <cstdio>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      __builtin_trap();                                                                     \
    }                                                                                       \
  } while (0)
