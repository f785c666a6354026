// An XPanel panel as the host keeps it, and the host-side ways to use it:
// read a control's value and edit it as a user would.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host_abi.h"
#include "refhost/channel_store.h"
#include "refhost/panel_hints.h"

namespace refhost {

// A misuse of a panel from the host side (unknown control, no get/set...).
class PanelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PanelControl {
  uint32_t id = 0;
  std::string label;
  std::string type;  // e.g. "angle-env", "percent-env", "iBoolean"
};

struct PanelDataDesc {
  uint32_t id = 0;
  std::string name;
  std::string type;
  bool nullName = false;  // the name pointer was null rather than ""
};

// One row of a panel printout.
struct ControlListing {
  uint32_t id = 0;
  std::string label;
  std::string type;
  uint32_t group = 0;  // id of the group hint holding it; 0 for none
};

// What a panel reaches in its host: channels and the current time.
struct PanelContext {
  ChannelStore *channels = nullptr;
  const TimeInfo *time = nullptr;
};

class Panel {
 public:
  Panel(PanelContext context, int type, std::vector<PanelControl> controls);

  int type() const { return type_; }
  const std::vector<PanelControl> &controls() const { return controls_; }
  const PanelControl *control(uint32_t id) const;

  // What the plug-in's panel calls record.
  void describe(std::vector<PanelDataDesc> data, XPanelGet get, XPanelSet set);
  void addHints(HintList hints) { hints_.push_back(std::move(hints)); }
  void setData(uint32_t id, void *data);
  void viewInstance(void *instance) { viewInstance_ = instance; }

  const std::vector<PanelDataDesc> &dataDescriptions() const { return data_; }
  XPanelGet getter() const { return get_; }
  XPanelSet setter() const { return set_; }
  const std::vector<HintList> &hintLists() const { return hints_; }
  // Data given by setData for an id, or null.
  void *data(uint32_t id) const;
  // The instance get and set are called with: viewInst's, else setData's for id 0.
  void *instance() const;

  // The control's value: for an "*-env" control the value at the current
  // time of the channel get returns; for an integer control the int get
  // points at; for a floating one the double. Empty when get gives null.
  // Throws PanelError for an unknown control or one that cannot be read.
  std::optional<double> read(uint32_t id) const;

  // Edits as a user would and returns set's result. An "*-env" control first
  // sets its channel (the static value, or a key at the current time when
  // the channel has keys), then calls set with the same double; an integer
  // control calls set with the value as a 32-bit int. A handled edit then
  // calls the change-notify hook, when the panel has one, with the value
  // event. Throws PanelError for an unknown control or one that cannot be
  // edited.
  int edit(uint32_t id, double value);
  // What the change-notify hook last returned (its refresh code), or -1
  // before it was called.
  int lastChangeNotify() const { return lastChangeNotify_; }

  // Controls in table order with their group from the group hints.
  std::vector<ControlListing> listing() const;
  uint32_t groupOf(uint32_t id) const;
  // The label hint given for id 0, or "".
  std::string title() const;

 private:
  enum class ValueKind { Envelope, Integer, Real };
  ValueKind kindOf(const PanelControl &control) const;
  const PanelControl &requireControl(uint32_t id) const;
  static constexpr int kValueChanged = 2;  // the hook's event for a new value
  int notifyChange(uint32_t id, int setResult);
  double now() const { return context_.time ? context_.time->time : 0.0; }

  PanelContext context_;
  int type_;
  std::vector<PanelControl> controls_;
  std::vector<PanelDataDesc> data_;
  XPanelGet get_ = nullptr;
  XPanelSet set_ = nullptr;
  std::vector<HintList> hints_;
  std::vector<std::pair<uint32_t, void *>> dataById_;
  void *viewInstance_ = nullptr;
  int lastChangeNotify_ = -1;
};

}  // namespace refhost
