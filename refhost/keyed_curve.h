// A value that may be animated by keys: the one key/interpolation machinery
// behind every animated quantity of the reference host (parameter channels,
// item motion, camera focal distance and f-stop).
#pragma once

#include <cstddef>
#include <vector>

namespace refhost {

// How the span from a key to the next one is drawn.
enum class KeyShape : short {
  Linear = 0,
  Smooth = 1,  // cubic Hermite with Catmull-Rom tangents
};

struct Key {
  double time;  // seconds
  double value;
  KeyShape shape = KeyShape::Linear;
};

class KeyedCurve {
 public:
  explicit KeyedCurve(double staticValue = 0.0) : staticValue_(staticValue) {}

  // Value at a time: the static value without keys; outside the keys the
  // first or last key's value (constant extrapolation).
  double valueAt(double time) const;

  double staticValue() const { return staticValue_; }
  void setStaticValue(double value) { staticValue_ = value; }

  // Adds a key, replacing one at exactly the same time. Throws
  // std::invalid_argument for a time that is not finite.
  void setKey(double time, double value, KeyShape shape = KeyShape::Linear);
  // Removes the key at exactly this time; false when there is none.
  bool removeKey(double time);
  void clearKeys() { keys_.clear(); }

  const std::vector<Key> &keys() const { return keys_; }
  bool animated() const { return !keys_.empty(); }

 private:
  // Slope (value per second) at key i used by a smooth span.
  double tangentAt(std::size_t i) const;

  double staticValue_;
  std::vector<Key> keys_;  // sorted by time, times unique
};

}  // namespace refhost
