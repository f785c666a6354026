#include "refhost/host.h"

#include <atomic>
#include <initializer_list>

#include "refhost/services/service_records.h"

namespace refhost {
namespace {

std::atomic<Host *> currentHost{nullptr};

}  // namespace

Host::Installation::~Installation() {
  Host *expected = self_;
  currentHost.compare_exchange_strong(expected, previous_);
}

Host::Host(const HostProfile &profile) : profile_(&profile) {}

Host::~Host() {
  Host *expected = this;
  currentHost.compare_exchange_strong(expected, nullptr);
}

Host::Installation Host::install() {
  return Installation(this, currentHost.exchange(this));
}

Host *Host::current() {
  return currentHost.load();
}

GlobalFunc Host::globalLookup() {
  return records::globalLookup();
}

// Every generation's record of a service has the same slots: one record
// answers all of its names.
void *Host::service(std::string_view name) {
  if (!profile_->answers(name) || faults_.hidden(std::string(name))) return nullptr;
  const auto is = [name](std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
      if (n == name) return true;
    return false;
  };
  if (is({VPARM_FUNCS_NAME, VPARM_FUNCS_NAME_2018, VPARM_FUNCS_NAME_2023}))
    return records::parameterFuncs();
  if (is({ITEM_INFO_NAME, ITEM_INFO_NAME_2018, ITEM_INFO_NAME_2023})) return records::itemInfo();
  if (is({CAMERA_INFO_NAME, CAMERA_INFO_NAME_2018})) return records::cameraInfo();
  if (name == TIME_INFO_NAME) return &time_;
  if (is({ENVELOPE_FUNCS_NAME, ENVELOPE_FUNCS_NAME_2018, ENVELOPE_FUNCS_NAME_2023}))
    return records::envelopeFuncs();
  if (is({XPANEL_FUNCS_NAME, XPANEL_FUNCS_NAME_2018, XPANEL_FUNCS_NAME_2023}))
    return records::panelFuncs();
  if (name == INSTANCE_UPDATE_NAME) return reinterpret_cast<void *>(records::instanceUpdate());
  return nullptr;
}

const char *Host::keepMessage(const std::string &message) {
  return messages_.insert(message).first->c_str();
}

}  // namespace refhost
