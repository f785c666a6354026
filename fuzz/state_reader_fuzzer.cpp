// The reference host's own readers of a data block: the load state (binary
// and text) and the channel's load from it.
//
// Holds for every input: a read delivers between 0 and the asked count,
// writing only that many values; a binary block yields no more values than
// its bytes hold; a channel either loads or answers a message, and what it
// loaded saves and loads again to the same value and keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <memory>

#include "fuzz/fuzz_check.h"
#include "refhost/channel.h"
#include "refhost/state_reader.h"
#include "refhost/state_writer.h"

namespace {

using refhost::StateBlock;
using refhost::StateEncoding;

bool same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameCurve(const refhost::KeyedCurve &a, const refhost::KeyedCurve &b) {
  if (!same(a.staticValue(), b.staticValue()) || a.keys().size() != b.keys().size()) return false;
  for (std::size_t i = 0; i < a.keys().size(); ++i) {
    const refhost::Key &x = a.keys()[i];
    const refhost::Key &y = b.keys()[i];
    if (x.time != y.time || !same(x.value, y.value) || x.shape != y.shape) return false;
  }
  return true;
}

// Reads with arbitrary counts into buffers of exactly that many values.
void readRandomly(FuzzedDataProvider &in, const StateBlock &block) {
  refhost::StateReader reader(block);
  std::size_t bytesRead = 0;
  const int reads = in.ConsumeIntegralInRange<int>(0, 16);
  for (int r = 0; r < reads; ++r) {
    const int count = in.ConsumeIntegralInRange<int>(-2, 40);
    const std::size_t room = count > 0 ? static_cast<std::size_t>(count) : 0;
    int delivered;
    if (in.ConsumeBool()) {
      auto values = std::make_unique<std::int16_t[]>(room);
      delivered = reader.readI2(values.get(), count);
      bytesRead += static_cast<std::size_t>(std::max(delivered, 0)) * 2;
    } else {
      auto values = std::make_unique<float[]>(room);
      delivered = reader.readFP(values.get(), count);
      bytesRead += static_cast<std::size_t>(std::max(delivered, 0)) * 4;
    }
    FUZZ_CHECK(delivered >= 0 && static_cast<std::size_t>(delivered) <= room);
    if (block.encoding == StateEncoding::Binary) FUZZ_CHECK(bytesRead <= block.bytes.size());
  }
}

void loadChannel(const StateBlock &block) {
  refhost::StateReader reader(block);
  refhost::Channel channel(VPARM_ANGLE);
  if (channel.load(*reader.state())) return;

  refhost::StateWriter writer(block.encoding);
  FUZZ_CHECK(!channel.save(*writer.state()));
  refhost::StateReader again(writer.block());
  refhost::Channel copy(VPARM_ANGLE);
  FUZZ_CHECK(!copy.load(*again.state()));
  FUZZ_CHECK(sameCurve(channel.curve(), copy.curve()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  const auto encoding = in.ConsumeBool() ? StateEncoding::Text : StateEncoding::Binary;
  const std::size_t split = in.ConsumeIntegralInRange<std::size_t>(0, 64);
  std::vector<std::uint8_t> script = in.ConsumeBytes<std::uint8_t>(split);
  StateBlock block{encoding, in.ConsumeRemainingBytes<std::uint8_t>()};

  FuzzedDataProvider reads(script.data(), script.size());
  readRandomly(reads, block);
  loadChannel(block);
  return 0;
}
