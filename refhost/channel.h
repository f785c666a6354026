// An animated parameter channel: what a "LWVParmFuncs 2" handle stands for.
#pragma once

#include <optional>
#include <string>

#include "host/host_abi.h"
#include "refhost/keyed_curve.h"

namespace refhost {

class Channel {
 public:
  explicit Channel(int valueType) : valueType_(valueType) {}

  int valueType() const { return valueType_; }  // VPARM_ANGLE, VPARM_PERCENT
  const std::string &name() const { return name_; }
  void *group() const { return group_; }
  bool registered() const { return registered_; }
  // Puts the channel under a name in a channel group.
  void registerAs(std::string name, void *group);

  KeyedCurve &curve() { return curve_; }
  const KeyedCurve &curve() const { return curve_; }
  double valueAt(double time) const { return curve_.valueAt(time); }

  // Value and keys from another channel; name, group and type stay.
  void copyAnimationFrom(const Channel &other) { curve_ = other.curve_; }

  // The channel's own block: one float (static value), one int16 (key
  // count), then per key two floats (time, value) and one int16 (shape).
  // Values travel as 32-bit floats. Returns an error message on failure;
  // a failed load leaves the channel unchanged.
  std::optional<std::string> save(const SaveState &state) const;
  std::optional<std::string> load(const LoadState &state);

 private:
  int valueType_;
  std::string name_;
  void *group_ = nullptr;
  bool registered_ = false;
  KeyedCurve curve_;
};

}  // namespace refhost
