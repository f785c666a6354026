#include "refhost/channel_store.h"

#include <algorithm>

namespace refhost {

Channel &ChannelStore::create(int valueType) {
  auto channel = std::make_unique<Channel>(valueType);
  Channel &created = *channel;
  channels_.emplace(handleOf(created), std::move(channel));
  order_.push_back(&created);
  return created;
}

bool ChannelStore::destroy(void *handle) {
  auto at = channels_.find(handle);
  if (at == channels_.end()) return false;
  order_.erase(std::find(order_.begin(), order_.end(), at->second.get()));
  channels_.erase(at);
  return true;
}

Channel *ChannelStore::find(void *handle) const {
  auto at = channels_.find(handle);
  return at == channels_.end() ? nullptr : at->second.get();
}

Channel *ChannelStore::find(void *group, std::string_view name) const {
  for (Channel *channel : order_)
    if (channel->registered() && channel->group() == group && channel->name() == name)
      return channel;
  return nullptr;
}

std::vector<Channel *> ChannelStore::all() const {
  return order_;
}

}  // namespace refhost
