// A scene item (a camera) with keyed motion and camera properties.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "refhost/item_axes.h"
#include "refhost/keyed_curve.h"

namespace refhost {

// The item's animated quantities. Position in metres, rotation in radians,
// scale as factors, focal distance in metres, f-stop as a number.
enum class ItemChannel : std::size_t {
  PositionX,
  PositionY,
  PositionZ,
  Heading,
  Pitch,
  Bank,
  ScaleX,
  ScaleY,
  ScaleZ,
  FocalDistance,
  FStop,
  Count
};

class Item {
 public:
  explicit Item(std::string name);
  Item(const Item &) = delete;
  Item &operator=(const Item &) = delete;

  const std::string &name() const { return name_; }
  // The item id handed to the plug-in.
  void *handle() { return this; }
  // The opaque channel group handed out by chanGroup.
  void *channelGroup() { return &group_; }

  KeyedCurve &curve(ItemChannel channel) { return curves_[index(channel)]; }
  const KeyedCurve &curve(ItemChannel channel) const { return curves_[index(channel)]; }

  // Static (unkeyed) values.
  void setPosition(const Vec3 &position);
  void setRotation(const Rotation &rotation);
  void setScale(const Vec3 &scale);
  void setFocalDistance(double metres) { curve(ItemChannel::FocalDistance).setStaticValue(metres); }
  void setFStop(double fStop) { curve(ItemChannel::FStop).setStaticValue(fStop); }

  // Keys at a time on every component.
  void keyPosition(double time, const Vec3 &position, KeyShape shape = KeyShape::Linear);
  void keyRotation(double time, const Rotation &rotation, KeyShape shape = KeyShape::Linear);

  Vec3 positionAt(double time) const;
  Rotation rotationAt(double time) const;
  Vec3 scaleAt(double time) const;
  ItemAxes axesAt(double time) const { return itemAxes(rotationAt(time), scaleAt(time)); }
  double focalDistanceAt(double time) const {
    return curve(ItemChannel::FocalDistance).valueAt(time);
  }
  double fStopAt(double time) const { return curve(ItemChannel::FStop).valueAt(time); }

  // The item-info parameter query: code 8 world position, 2 right, 3 up,
  // 4 forward axis. False (out untouched) for any other code.
  bool param(int code, double time, double out[3]) const;

 private:
  struct ChannelGroup {
    Item *owner;
  };
  static std::size_t index(ItemChannel channel) { return static_cast<std::size_t>(channel); }

  std::string name_;
  ChannelGroup group_{this};
  std::array<KeyedCurve, static_cast<std::size_t>(ItemChannel::Count)> curves_;
};

}  // namespace refhost
