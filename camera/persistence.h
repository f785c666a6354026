// The camera's block in the host's scene, after its four parameters: eight
// floats (hFov, vFov, hShift, vShift, four zeros), then eight 16-bit
// integers (the five switches, three zeros).
#pragma once

#include <array>
#include <cstdint>

#include "camera/settings.h"

namespace skyrind {

constexpr int kStoredWords = 8;

std::array<float, kStoredWords> storedValues(const CameraSettings &settings);
std::array<int16_t, kStoredWords> storedSwitches(const Switches &switches);

// Takes the first `delivered` words of a read back (a host may deliver fewer
// than asked for, or report a count below 1 for none); the values it did not
// deliver keep what they were.
void restoreValues(CameraSettings &settings, const float *values, int delivered);
void restoreSwitches(Switches &switches, const int16_t *words, int delivered);

}  // namespace skyrind
