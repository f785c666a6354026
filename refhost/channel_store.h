// The host's animated parameter channels. A channel's handle is its address.
#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "refhost/channel.h"

namespace refhost {

class ChannelStore {
 public:
  Channel &create(int valueType);
  // False when the handle is not a live channel.
  bool destroy(void *handle);

  // Null when the handle is not a live channel (never dereferences it).
  Channel *find(void *handle) const;
  // The channel registered under (group, name), or null.
  Channel *find(void *group, std::string_view name) const;
  // Live channels, in creation order.
  std::vector<Channel *> all() const;
  std::size_t size() const { return channels_.size(); }

  static void *handleOf(Channel &channel) { return &channel; }

 private:
  std::unordered_map<void *, std::unique_ptr<Channel>> channels_;
  std::vector<Channel *> order_;
};

}  // namespace refhost
