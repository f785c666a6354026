#include "refhost/panel_store.h"

namespace refhost {

Panel &PanelStore::create(int type, std::vector<PanelControl> controls) {
  panels_.push_back(std::make_unique<Panel>(context_, type, std::move(controls)));
  return *panels_.back();
}

Panel *PanelStore::find(const void *handle) const {
  for (const auto &panel : panels_)
    if (panel.get() == handle) return panel.get();
  return nullptr;
}

}  // namespace refhost
