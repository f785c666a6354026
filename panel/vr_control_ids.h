// The stereo and dome cameras' control ids: part of their contract with the
// host and with saved scenes.
#pragma once

#include <cstdint>

namespace skyrind {

enum StereoControlId : uint32_t {
  kEyeSeparation = 0x8001,
  kConvergence = 0x8002,
  kPoleMergeFrom = 0x8003,
  kPoleMergeTo = 0x8004,
  kEyes = 0x8005,
  kParallelCameras = 0x8006,  // VR180 only
};

enum DomeControlId : uint32_t {
  kDomeFieldOfView = 0x8001,
  kDomeTilt = 0x8002,
};

}  // namespace skyrind
