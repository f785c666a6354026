#include "refhost/host.h"

#include <atomic>

#include "refhost/services/service_records.h"

namespace refhost {
namespace {

std::atomic<Host *> currentHost{nullptr};

}  // namespace

Host::Installation::~Installation() {
  Host *expected = self_;
  currentHost.compare_exchange_strong(expected, previous_);
}

Host::Host() = default;

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

void *Host::service(std::string_view name) {
  if (faults_.hidden(std::string(name))) return nullptr;
  if (name == VPARM_FUNCS_NAME) return records::parameterFuncs();
  if (name == ITEM_INFO_NAME) return records::itemInfo();
  if (name == CAMERA_INFO_NAME) return records::cameraInfo();
  if (name == TIME_INFO_NAME) return &time_;
  if (name == ENVELOPE_FUNCS_NAME) return records::envelopeFuncs();
  if (name == XPANEL_FUNCS_NAME) return records::panelFuncs();
  if (name == INSTANCE_UPDATE_NAME) return reinterpret_cast<void *>(records::instanceUpdate());
  return nullptr;
}

const char *Host::keepMessage(const std::string &message) {
  return messages_.insert(message).first->c_str();
}

}  // namespace refhost
