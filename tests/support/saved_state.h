// The instance's own part of its data block, which is all the host holds of
// an instance's values and switches: eight floats (hFov, vFov, hShift,
// vShift, four zeros) and eight 16-bit integers (the five switches, three
// zeros) at the end of a binary save, after the parameters' blocks.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "refhost/bindings/camera_handler_binding.h"

namespace skyrind_test {

struct SavedState {
  std::array<float, 8> values{};
  std::array<int16_t, 8> flags{};
  bool operator==(const SavedState &) const = default;
};

constexpr std::size_t kSavedStateBytes = 8 * 4 + 8 * 2;

// The state a binary save of the instance shows (logged like any save).
inline SavedState savedState(refhost::CameraHandlerBinding &handler, void *instance) {
  const refhost::SaveResult result = handler.save(instance, refhost::StateEncoding::Binary);
  EXPECT_EQ(result.error, std::nullopt);
  SavedState state;
  const std::vector<uint8_t> &bytes = result.block.bytes;
  if (bytes.size() < kSavedStateBytes) {
    ADD_FAILURE() << "a saved block of " << bytes.size() << " bytes";
    return state;
  }
  std::memcpy(state.values.data(), bytes.data() + bytes.size() - kSavedStateBytes, 32);
  std::memcpy(state.flags.data(), bytes.data() + bytes.size() - 16, 16);
  return state;
}

// Gives an instance values and switches as loading a scene does: its own
// binary block with the instance's part written over.
inline void loadState(refhost::CameraHandlerBinding &handler, void *instance,
                      const SavedState &state) {
  refhost::StateBlock block = handler.save(instance, refhost::StateEncoding::Binary).block;
  ASSERT_GE(block.bytes.size(), kSavedStateBytes);
  std::memcpy(block.bytes.data() + block.bytes.size() - kSavedStateBytes, state.values.data(), 32);
  std::memcpy(block.bytes.data() + block.bytes.size() - 16, state.flags.data(), 16);
  ASSERT_EQ(handler.load(instance, block), std::nullopt);
}

}  // namespace skyrind_test
