// The panel's get and set with arbitrary ids and values, as the host's panel
// calls them.
//
// Holds for every input: set answers 1 for the nine controls and 0 for any
// other id (or no value), reading no more than the control's value (4 bytes
// for a switch, 8 for an animated control); get gives null for other ids,
// the animated control's own channel, or the switch's stored 32-bit value;
// the two automatic switches are never on together; "Instance Update" is
// called once per handled set and never otherwise.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/plugin_module.h"
#include "refhost/bindings/camera_session.h"

namespace {

constexpr uint32_t kAnimated[] = {0x8001, 0x8002, 0x8008, 0x8009};
constexpr uint32_t kSwitches[] = {0x8003, 0x8004, 0x8005, 0x8006, 0x8007};
constexpr uint32_t kAutoHorizontal = 0x8006;
constexpr uint32_t kAutoVertical = 0x8007;

bool isAnimated(uint32_t id) {
  return std::find(std::begin(kAnimated), std::end(kAnimated), id) != std::end(kAnimated);
}
bool isSwitch(uint32_t id) {
  return std::find(std::begin(kSwitches), std::end(kSwitches), id) != std::end(kSwitches);
}

uint32_t controlId(FuzzedDataProvider &in) {
  if (in.ConsumeBool()) return 0x8000 + in.ConsumeIntegralInRange<uint32_t>(0, 15);
  return in.ConsumeIntegral<uint32_t>();
}

std::size_t updates(refhost::Host &host) {
  return host.log().callsOf(INSTANCE_UPDATE_NAME).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  skyrind_fuzz::pluginModule();  // keeps the library loaded between inputs
  refhost::CameraSession session(SKYRIND_PLUGIN_PATH);
  refhost::Host &host = session.host();
  void *instance = session.instance();
  const XPanelGet get = session.panel().getter();
  const XPanelSet set = session.panel().setter();
  FUZZ_CHECK(get && set);

  std::map<uint32_t, int32_t> switches;  // what each switch must hold
  for (uint32_t id : kSwitches) switches[id] = 0;

  while (in.remaining_bytes() > 0) {
    const uint32_t id = controlId(in);
    if (in.ConsumeBool()) {
      void *value = get(instance, id);
      if (isSwitch(id)) {
        FUZZ_CHECK(value != nullptr);
        int32_t stored;
        std::memcpy(&stored, value, sizeof stored);
        FUZZ_CHECK(stored == switches[id]);
      } else if (isAnimated(id)) {
        FUZZ_CHECK(host.channels().find(value) != nullptr);
      } else {
        FUZZ_CHECK(value == nullptr);
      }
      continue;
    }

    // A value exactly as large as the control's type, on the heap so that a
    // longer read is caught.
    const std::size_t bytes = isAnimated(id) ? sizeof(double) : isSwitch(id) ? sizeof(int32_t) : 1;
    std::vector<std::uint8_t> raw = in.ConsumeBytes<std::uint8_t>(bytes);
    raw.resize(bytes);
    auto value = std::make_unique<std::uint8_t[]>(bytes);
    std::memcpy(value.get(), raw.data(), bytes);
    const bool none = in.ConsumeIntegralInRange<int>(0, 15) == 0;

    const std::size_t updatesBefore = updates(host);
    const int result = set(instance, id, none ? nullptr : value.get());
    const bool handled = !none && (isAnimated(id) || isSwitch(id));
    FUZZ_CHECK(result == (handled ? 1 : 0));
    FUZZ_CHECK(updates(host) == updatesBefore + (handled ? 1 : 0));
    if (handled && isSwitch(id)) {
      int32_t v;
      std::memcpy(&v, value.get(), sizeof v);
      switches[id] = v;
      if (id == kAutoHorizontal && v) switches[kAutoVertical] = 0;
      if (id == kAutoVertical && v) switches[kAutoHorizontal] = 0;
    }
    FUZZ_CHECK(!(switches[kAutoHorizontal] && switches[kAutoVertical]));
  }

  return 0;
}
