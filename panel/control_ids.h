// The panel's control and group ids: part of its contract with the host, so
// host-side code (the reference host's tool) names controls by these too.
#pragma once

#include <cstdint>

namespace skyrind {

enum ControlId : uint32_t {
  kHorizontalFov = 0x8001,
  kVerticalFov = 0x8002,
  kHorizontalPerspective = 0x8003,
  kVerticalPerspective = 0x8004,
  kVerticalPanorama = 0x8005,
  kAutoHorizontalFov = 0x8006,
  kAutoVerticalFov = 0x8007,
  kHorizontalShift = 0x8008,
  kVerticalShift = 0x8009,
  kFieldOfViewGroup = 0x800A,
  kShiftGroup = 0x800B,
};

}  // namespace skyrind
