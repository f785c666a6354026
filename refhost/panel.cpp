#include "refhost/panel.h"

#include <cstdio>

#include "refhost/services/host_id_call.h"

namespace refhost {
namespace {

std::string printId(uint32_t id) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%x", static_cast<unsigned>(id));
  return buf;
}

bool endsWith(const std::string &s, const std::string &suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// An edited key keeps its shape; a new key is linear.
KeyShape shapeOfKeyAt(const KeyedCurve &curve, double time) {
  for (const Key &key : curve.keys())
    if (key.time == time) return key.shape;
  return KeyShape::Linear;
}

}  // namespace

Panel::Panel(PanelContext context, int type, std::vector<PanelControl> controls)
    : context_(context), type_(type), controls_(std::move(controls)) {}

const PanelControl *Panel::control(uint32_t id) const {
  for (const PanelControl &c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

void Panel::describe(std::vector<PanelDataDesc> data, XPanelGet get, XPanelSet set) {
  data_ = std::move(data);
  get_ = get;
  set_ = set;
}

void Panel::setData(uint32_t id, void *data) {
  for (auto &entry : dataById_) {
    if (entry.first == id) {
      entry.second = data;
      return;
    }
  }
  dataById_.emplace_back(id, data);
}

void *Panel::data(uint32_t id) const {
  for (const auto &entry : dataById_)
    if (entry.first == id) return entry.second;
  return nullptr;
}

void *Panel::instance() const {
  return viewInstance_ ? viewInstance_ : data(0);
}

const PanelControl &Panel::requireControl(uint32_t id) const {
  const PanelControl *c = control(id);
  if (c == nullptr) throw PanelError("panel has no control " + printId(id));
  return *c;
}

Panel::ValueKind Panel::kindOf(const PanelControl &control) const {
  const std::string &t = control.type;
  if (endsWith(t, "-env")) return ValueKind::Envelope;
  if (t == "iBoolean" || t == "integer" || t == "iChoice" || t == "iSlider" || t == "iPopChoice")
    return ValueKind::Integer;
  if (t == "float" || t == "distance" || t == "angle" || t == "percent" || t == "time")
    return ValueKind::Real;
  throw PanelError("control " + printId(control.id) + " has type \"" + t +
                   "\", which the host cannot read or edit");
}

std::optional<double> Panel::read(uint32_t id) const {
  const PanelControl &c = requireControl(id);
  ValueKind kind = kindOf(c);
  if (get_ == nullptr) throw PanelError("panel was given no get function");
  void *value = refhost_call_get(get_, instance(), id);
  if (value == nullptr) return std::nullopt;
  switch (kind) {
    case ValueKind::Envelope: {
      Channel *channel = context_.channels ? context_.channels->find(value) : nullptr;
      if (channel == nullptr)
        throw PanelError("get for control " + printId(id) + " gave no channel of this host");
      return channel->valueAt(now());
    }
    case ValueKind::Integer:
      return *static_cast<const std::int32_t *>(value);
    case ValueKind::Real:
      return *static_cast<const double *>(value);
  }
  return std::nullopt;
}

int Panel::edit(uint32_t id, double value) {
  const PanelControl &c = requireControl(id);
  ValueKind kind = kindOf(c);
  if (set_ == nullptr) throw PanelError("panel was given no set function");
  if (kind == ValueKind::Integer) {
    auto asInt = static_cast<std::int32_t>(value);
    return notifyChange(id, refhost_call_set(set_, instance(), id, &asInt));
  }
  if (kind == ValueKind::Envelope && get_ != nullptr && context_.channels != nullptr) {
    if (Channel *channel = context_.channels->find(refhost_call_get(get_, instance(), id))) {
      if (channel->curve().animated()) {
        channel->curve().setKey(now(), value, shapeOfKeyAt(channel->curve(), now()));
      } else {
        channel->curve().setStaticValue(value);
      }
    }
  }
  return notifyChange(id, refhost_call_set(set_, instance(), id, &value));
}

int Panel::notifyChange(uint32_t id, int setResult) {
  if (setResult == 0) return setResult;
  for (const HintList &list : hints_)
    for (const Hint &hint : list.hints)
      if (hint.tag == XPANEL_HINT_CHANGE_NOTIFY && !hint.args.empty() && hint.args[0] != 0) {
        const auto hook = reinterpret_cast<XPanelChangeNotify>(hint.args[0]);
        lastChangeNotify_ = hook(this, id, id, kValueChanged);
      }
  return setResult;
}

uint32_t Panel::groupOf(uint32_t id) const {
  for (const HintList &list : hints_)
    for (const Hint &hint : list.hints)
      if (hint.tag == XPANEL_HINT_GROUP && !hint.args.empty())
        for (XPanelHint member : hint.list)
          if (static_cast<uint32_t>(member) == id) return static_cast<uint32_t>(hint.args[0]);
  return 0;
}

std::vector<ControlListing> Panel::listing() const {
  std::vector<ControlListing> rows;
  for (const PanelControl &c : controls_) rows.push_back({c.id, c.label, c.type, groupOf(c.id)});
  return rows;
}

std::string Panel::title() const {
  for (const HintList &list : hints_)
    for (const Hint &hint : list.hints)
      if (hint.tag == XPANEL_HINT_LABEL && hint.args.size() >= 2 && hint.args[0] == 0 &&
          hint.args[1] != 0)
        return reinterpret_cast<const char *>(hint.args[1]);
  return "";
}

}  // namespace refhost
