// Host faults a test can switch on, to drive the plug-in's failure paths.
#pragma once

#include <map>
#include <set>
#include <string>

#include "refhost/host_profile.h"

namespace refhost {

class Faults {
 public:
  // The global lookup answers null for this service name.
  void hideService(const std::string &name) { hidden_.insert(name); }
  void showService(const std::string &name) { hidden_.erase(name); }
  bool hidden(const std::string &name) const { return hidden_.count(name) != 0; }
  // The same for every name the service had in any generation.
  void hideService(Service service) {
    for (const std::string &name : allNamesOf(service)) hideService(name);
  }
  void showService(Service service) {
    for (const std::string &name : allNamesOf(service)) showService(name);
  }

  // Parameter create returns null: on every call, or on the nth (1-based)
  // call counted from now.
  void failEveryParameterCreate(bool on = true) { failEveryCreate_ = on; }
  void failParameterCreate(int nth) { failedCreates_.insert(createCalls_ + nth); }
  // Counts one create call; true when it must fail.
  bool nextParameterCreateFails() {
    ++createCalls_;
    return failEveryCreate_ || failedCreates_.count(createCalls_) != 0;
  }

  // Parameter load or save of the channel with this name (any channel for
  // "") fails with the message.
  void failChannelLoad(const std::string &channel, const std::string &message) {
    loadFailures_[channel] = message;
  }
  void failChannelSave(const std::string &channel, const std::string &message) {
    saveFailures_[channel] = message;
  }
  // The message to fail with, or null. Stays valid until the fault changes.
  const char *channelLoadFailure(const std::string &channel) const {
    return failureFor(loadFailures_, channel);
  }
  const char *channelSaveFailure(const std::string &channel) const {
    return failureFor(saveFailures_, channel);
  }

  // The panel service's create returns null.
  void failPanelCreate(bool on = true) { failPanelCreate_ = on; }
  bool panelCreateFails() const { return failPanelCreate_; }

  void clear() { *this = Faults(); }

 private:
  static const char *failureFor(const std::map<std::string, std::string> &failures,
                                const std::string &channel) {
    auto at = failures.find(channel);
    if (at == failures.end()) at = failures.find("");
    return at == failures.end() ? nullptr : at->second.c_str();
  }

  std::set<std::string> hidden_;
  bool failEveryCreate_ = false;
  std::set<int> failedCreates_;
  int createCalls_ = 0;
  std::map<std::string, std::string> loadFailures_;
  std::map<std::string, std::string> saveFailures_;
  bool failPanelCreate_ = false;
};

}  // namespace refhost
