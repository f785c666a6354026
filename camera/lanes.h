// Two doubles side by side in one SSE2 register (the GCC and clang vector
// extension). Every operator acts on each lane on its own with the rounding
// of the scalar operation, so a lane computes bit for bit what the same
// scalar expression computes; with -ffp-contract=off nothing is fused.
#pragma once

namespace skyrind {

using Lanes = double __attribute__((vector_size(16)));

// Both lanes set to lane `k` of v.
template <int k>
inline Lanes splat(Lanes v) {
  return Lanes{v[k], v[k]};
}

}  // namespace skyrind
