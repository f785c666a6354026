#include "refhost/keyed_curve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace refhost {

double KeyedCurve::valueAt(double time) const {
  if (keys_.empty()) return staticValue_;
  if (!(time > keys_.front().time)) return keys_.front().value;  // NaN lands here too
  if (time >= keys_.back().time) return keys_.back().value;

  auto after = std::upper_bound(keys_.begin(), keys_.end(), time,
                                [](double t, const Key &k) { return t < k.time; });
  std::size_t i = static_cast<std::size_t>(after - keys_.begin()) - 1;
  const Key &a = keys_[i];
  const Key &b = keys_[i + 1];
  double span = b.time - a.time;
  double s = (time - a.time) / span;
  if (a.shape == KeyShape::Linear) return a.value + (b.value - a.value) * s;

  double s2 = s * s;
  double s3 = s2 * s;
  double h00 = 2 * s3 - 3 * s2 + 1;
  double h10 = s3 - 2 * s2 + s;
  double h01 = -2 * s3 + 3 * s2;
  double h11 = s3 - s2;
  return h00 * a.value + h10 * span * tangentAt(i) + h01 * b.value + h11 * span * tangentAt(i + 1);
}

double KeyedCurve::tangentAt(std::size_t i) const {
  std::size_t last = keys_.size() - 1;
  std::size_t lo = i == 0 ? 0 : i - 1;
  std::size_t hi = i == last ? last : i + 1;
  return (keys_[hi].value - keys_[lo].value) / (keys_[hi].time - keys_[lo].time);
}

void KeyedCurve::setKey(double time, double value, KeyShape shape) {
  if (!std::isfinite(time)) throw std::invalid_argument("key time must be finite");
  auto at = std::lower_bound(keys_.begin(), keys_.end(), time,
                             [](const Key &k, double t) { return k.time < t; });
  if (at != keys_.end() && at->time == time) {
    *at = Key{time, value, shape};
  } else {
    keys_.insert(at, Key{time, value, shape});
  }
}

bool KeyedCurve::removeKey(double time) {
  auto at = std::find_if(keys_.begin(), keys_.end(), [&](const Key &k) { return k.time == time; });
  if (at == keys_.end()) return false;
  keys_.erase(at);
  return true;
}

}  // namespace refhost
