#include "refhost/channel.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace refhost {

void Channel::registerAs(std::string name, void *group) {
  name_ = std::move(name);
  group_ = group;
  registered_ = true;
}

std::optional<std::string> Channel::save(const SaveState &state) const {
  if (!state.writeI2 || !state.writeFP) return "Save state has no write functions";
  const auto &keys = curve_.keys();
  if (keys.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
    return "Too many keys in channel " + name_;
  float staticValue = static_cast<float>(curve_.staticValue());
  auto keyCount = static_cast<std::int16_t>(keys.size());
  state.writeFP(state.writeData, &staticValue, 1);
  state.writeI2(state.writeData, &keyCount, 1);
  for (const Key &key : keys) {
    float timeAndValue[2] = {static_cast<float>(key.time), static_cast<float>(key.value)};
    auto shape = static_cast<std::int16_t>(key.shape);
    state.writeFP(state.writeData, timeAndValue, 2);
    state.writeI2(state.writeData, &shape, 1);
  }
  return std::nullopt;
}

std::optional<std::string> Channel::load(const LoadState &state) {
  if (!state.readI2 || !state.readFP) return "Load state has no read functions";
  const std::string ended = "Channel data ends early";
  float staticValue = 0;
  std::int16_t keyCount = 0;
  if (state.readFP(state.readData, &staticValue, 1) != 1) return ended;
  if (state.readI2(state.readData, &keyCount, 1) != 1) return ended;
  if (keyCount < 0) return "Bad key count in channel data";

  KeyedCurve loaded(staticValue);
  for (int i = 0; i < keyCount; ++i) {
    float timeAndValue[2] = {0, 0};
    std::int16_t shape = 0;
    if (state.readFP(state.readData, timeAndValue, 2) != 2) return ended;
    if (state.readI2(state.readData, &shape, 1) != 1) return ended;
    if (shape != static_cast<std::int16_t>(KeyShape::Linear) &&
        shape != static_cast<std::int16_t>(KeyShape::Smooth))
      return "Bad key shape in channel data";
    if (!std::isfinite(timeAndValue[0])) return "Bad key time in channel data";
    loaded.setKey(timeAndValue[0], timeAndValue[1], static_cast<KeyShape>(shape));
  }
  curve_ = std::move(loaded);
  return std::nullopt;
}

}  // namespace refhost
