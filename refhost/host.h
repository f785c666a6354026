// The reference host: owns the scene's items, time, channels and panels,
// answers the plug-in's global lookups, logs every call and injects faults.
//
// The global lookup is a plain C function without user data, so it serves
// whichever host is installed as the current one.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "host/host_abi.h"
#include "refhost/call_log.h"
#include "refhost/channel_store.h"
#include "refhost/faults.h"
#include "refhost/host_profile.h"
#include "refhost/item_store.h"
#include "refhost/panel_store.h"

namespace refhost {

class Host {
 public:
  // Makes a host current for its lifetime and restores the previous one.
  class Installation {
   public:
    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;
    ~Installation();

   private:
    friend class Host;
    Installation(Host *self, Host *previous) : self_(self), previous_(previous) {}
    Host *self_;
    Host *previous_;
  };

  // A host of the given generation (see HostProfile::fromEnvironment).
  explicit Host(const HostProfile &profile = HostProfile::fromEnvironment());
  ~Host();  // stops being current if it still is
  Host(const Host &) = delete;
  Host &operator=(const Host &) = delete;

  [[nodiscard]] Installation install();
  static Host *current();
  // The lookup to hand to an activation; answers for the current host.
  static GlobalFunc globalLookup();

  // The record a lookup of this name gives (null when the generation does
  // not answer it, or it is hidden); nothing is logged.
  void *service(std::string_view name);

  const HostProfile &profile() const { return *profile_; }

  CallLog &log() { return log_; }
  Faults &faults() { return faults_; }
  ChannelStore &channels() { return channels_; }
  ItemStore &items() { return items_; }
  PanelStore &panels() { return panels_; }

  // Current time in seconds, as "LW Time Info" reports it.
  double time() const { return time_.time; }
  void setTime(double seconds) { time_.time = seconds; }

  Item &addCamera(const std::string &name = "Camera") { return items_.add(name); }

  // Keeps a message for the plug-in to hold on to; the text lives as long
  // as the host.
  const char *keepMessage(const std::string &message);

 private:
  const HostProfile *profile_;
  TimeInfo time_{0.0};
  CallLog log_;
  Faults faults_;
  ChannelStore channels_;
  ItemStore items_;
  PanelStore panels_{PanelContext{&channels_, &time_}};
  std::set<std::string> messages_;
};

}  // namespace refhost
