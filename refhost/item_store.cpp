#include "refhost/item_store.h"

namespace refhost {

Item &ItemStore::add(std::string name) {
  items_.push_back(std::make_unique<Item>(std::move(name)));
  return *items_.back();
}

Item *ItemStore::find(const void *id) const {
  for (const auto &item : items_)
    if (item->handle() == id) return item.get();
  return nullptr;
}

Item *ItemStore::findByName(const std::string &name) const {
  for (const auto &item : items_)
    if (item->name() == name) return item.get();
  return nullptr;
}

Item *ItemStore::ownerOfGroup(const void *group) const {
  for (const auto &item : items_)
    if (item->channelGroup() == group) return item.get();
  return nullptr;
}

}  // namespace refhost
