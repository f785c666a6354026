// The host's panels. A panel's handle is its address.
#pragma once

#include <memory>
#include <vector>

#include "refhost/panel.h"

namespace refhost {

class PanelStore {
 public:
  explicit PanelStore(PanelContext context) : context_(context) {}

  Panel &create(int type, std::vector<PanelControl> controls);
  // Null when the handle is not one of our panels (never dereferences it).
  Panel *find(const void *handle) const;
  const std::vector<std::unique_ptr<Panel>> &all() const { return panels_; }

 private:
  PanelContext context_;
  std::vector<std::unique_ptr<Panel>> panels_;
};

}  // namespace refhost
