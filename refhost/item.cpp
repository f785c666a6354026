#include "refhost/item.h"

#include "host/host_abi.h"

namespace refhost {

Item::Item(std::string name) : name_(std::move(name)) {
  setScale({1, 1, 1});
  setFocalDistance(1.0);
  setFStop(4.0);
}

void Item::setPosition(const Vec3 &position) {
  curve(ItemChannel::PositionX).setStaticValue(position[0]);
  curve(ItemChannel::PositionY).setStaticValue(position[1]);
  curve(ItemChannel::PositionZ).setStaticValue(position[2]);
}

void Item::setRotation(const Rotation &rotation) {
  curve(ItemChannel::Heading).setStaticValue(rotation.heading);
  curve(ItemChannel::Pitch).setStaticValue(rotation.pitch);
  curve(ItemChannel::Bank).setStaticValue(rotation.bank);
}

void Item::setScale(const Vec3 &scale) {
  curve(ItemChannel::ScaleX).setStaticValue(scale[0]);
  curve(ItemChannel::ScaleY).setStaticValue(scale[1]);
  curve(ItemChannel::ScaleZ).setStaticValue(scale[2]);
}

void Item::keyPosition(double time, const Vec3 &position, KeyShape shape) {
  curve(ItemChannel::PositionX).setKey(time, position[0], shape);
  curve(ItemChannel::PositionY).setKey(time, position[1], shape);
  curve(ItemChannel::PositionZ).setKey(time, position[2], shape);
}

void Item::keyRotation(double time, const Rotation &rotation, KeyShape shape) {
  curve(ItemChannel::Heading).setKey(time, rotation.heading, shape);
  curve(ItemChannel::Pitch).setKey(time, rotation.pitch, shape);
  curve(ItemChannel::Bank).setKey(time, rotation.bank, shape);
}

Vec3 Item::positionAt(double time) const {
  return {curve(ItemChannel::PositionX).valueAt(time), curve(ItemChannel::PositionY).valueAt(time),
          curve(ItemChannel::PositionZ).valueAt(time)};
}

Rotation Item::rotationAt(double time) const {
  return {curve(ItemChannel::Heading).valueAt(time), curve(ItemChannel::Pitch).valueAt(time),
          curve(ItemChannel::Bank).valueAt(time)};
}

Vec3 Item::scaleAt(double time) const {
  return {curve(ItemChannel::ScaleX).valueAt(time), curve(ItemChannel::ScaleY).valueAt(time),
          curve(ItemChannel::ScaleZ).valueAt(time)};
}

bool Item::param(int code, double time, double out[3]) const {
  Vec3 value;
  switch (code) {
    case ITEM_W_POSITION:
      value = positionAt(time);
      break;
    case ITEM_RIGHT:
      value = axesAt(time).right;
      break;
    case ITEM_UP:
      value = axesAt(time).up;
      break;
    case ITEM_FORWARD:
      value = axesAt(time).forward;
      break;
    default:
      return false;
  }
  out[0] = value[0];
  out[1] = value[1];
  out[2] = value[2];
  return true;
}

}  // namespace refhost
