// The instance's load from arbitrary bytes, in the binary and the text
// encoding, with reads that stop short after any number of values.
//
// Holds for every input: load answers null or a message without touching
// memory it does not own; a failed load leaves the instance's own values and
// switches as they were (its tail in a save is unchanged); whatever was
// loaded saves and loads again to the very same block.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "fuzz/plugin_module.h"
#include "refhost/bindings/camera_session.h"

namespace {

using refhost::StateBlock;
using refhost::StateEncoding;

// The instance's own part at the end of a binary block: eight floats, then
// eight 16-bit integers.
constexpr std::size_t kOwnTailBytes = 8 * 4 + 8 * 2;

std::vector<std::uint8_t> ownTail(const StateBlock &block) {
  FUZZ_CHECK(block.bytes.size() >= kOwnTailBytes);
  return {block.bytes.end() - kOwnTailBytes, block.bytes.end()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  skyrind_fuzz::pluginModule();  // keeps the library loaded between inputs
  refhost::CameraSession session(SKYRIND_PLUGIN_PATH);
  session.host().log().setEnabled(false);
  refhost::CameraHandlerBinding &handler = session.handler();
  void *first = session.instance();
  void *second = handler.create(session.host().addCamera("Second").handle()).instance;
  FUZZ_CHECK(second);

  const auto encoding = in.ConsumeBool() ? StateEncoding::Text : StateEncoding::Binary;
  std::optional<std::size_t> limit;
  if (in.ConsumeBool()) limit = in.ConsumeIntegralInRange<std::size_t>(0, 64);
  StateBlock block{encoding, in.ConsumeRemainingBytes<std::uint8_t>()};

  const auto before = handler.save(first, StateEncoding::Binary);
  FUZZ_CHECK(!before.error);
  const refhost::Message message = handler.load(first, block, limit);
  const auto after = handler.save(first, StateEncoding::Binary);
  FUZZ_CHECK(!after.error);
  if (message) FUZZ_CHECK(ownTail(before.block) == ownTail(after.block));

  FUZZ_CHECK(!handler.load(second, after.block));
  const auto again = handler.save(second, StateEncoding::Binary);
  FUZZ_CHECK(!again.error);
  FUZZ_CHECK(again.block.bytes == after.block.bytes);

  handler.destroy(second);
  return 0;
}
