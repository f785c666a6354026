// The scene's items. An item's id is its address.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "refhost/item.h"

namespace refhost {

class ItemStore {
 public:
  Item &add(std::string name);
  // Null when the id is not one of ours (never dereferences it).
  Item *find(const void *id) const;
  Item *findByName(const std::string &name) const;
  // The item whose channel group this is, or null.
  Item *ownerOfGroup(const void *group) const;
  const std::vector<std::unique_ptr<Item>> &all() const { return items_; }

 private:
  std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace refhost
