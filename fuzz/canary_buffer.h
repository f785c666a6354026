// A host record larger than what the plug-in may write, filled with a known
// byte, so that any write outside the allowed bytes shows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace skyrind_fuzz {

template <std::size_t Bytes>
struct CanaryBuffer {
  static constexpr unsigned char kCanary = 0xA5;
  alignas(16) unsigned char bytes[Bytes];

  CanaryBuffer() { std::memset(bytes, kCanary, Bytes); }
  template <class Record>
  Record *as() {
    static_assert(sizeof(Record) <= Bytes);
    return reinterpret_cast<Record *>(bytes);
  }
  // True when bytes [from, Bytes) still hold the canary.
  bool untouchedFrom(std::size_t from) const {
    return std::all_of(bytes + from, bytes + Bytes, [](unsigned char b) { return b == kCanary; });
  }
};

}  // namespace skyrind_fuzz
