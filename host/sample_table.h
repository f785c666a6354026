// A new frame's sample table, for any camera: the frame's timing kept, the
// old table released before a new one is asked for, then one sample per
// evenly spaced time across the exposure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "camera/frame_timing.h"
#include "host/host_abi.h"

namespace skyrind {

inline constexpr const char *kNoMemoryMessage = "Can't allocate Memory";

// `sampleAt(t, sample)` asks the host about time t (seconds) and fills one
// sample, or returns a message, which ends the table (released again) and is
// returned. A negative motion-step count, or one whose 4× does not fit 32
// bits, is refused like a table that cannot be allocated.
template <class Sample, class SampleAt>
const char *newSampleTable(const FrameInfo &frame, FrameTiming &timing, Sample *&samples,
                           SampleAt sampleAt) {
  timing = {frame.frame, frame.start, frame.duration, frame.framesPerSecond,
            4u * static_cast<uint32_t>(frame.motionSteps)};
  std::free(samples);
  samples = nullptr;
  if (frame.motionSteps < 0 || frame.motionSteps > 0x3FFFFFFF) return kNoMemoryMessage;
  const uint32_t count = timing.sampleCount;
  auto *table = static_cast<Sample *>(std::calloc(std::size_t{count} + 1, sizeof(Sample)));
  if (!table) return kNoMemoryMessage;
  for (uint32_t i = 0; i <= count; ++i) {
    // Quotient first, then the product with i, then the sum.
    const double t = count == 0 ? timing.start
                                : timing.start + (timing.duration / static_cast<double>(count)) *
                                                     static_cast<double>(i);
    if (const char *message = sampleAt(t, table[i])) {
      std::free(table);
      return message;
    }
  }
  samples = table;
  return nullptr;
}

}  // namespace skyrind
