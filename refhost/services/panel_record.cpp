// "LWXPanel" and "Instance Update": the panel service for the plug-in.
#include "refhost/services/callback_guard.h"
#include "refhost/services/service_records.h"

namespace refhost::records {
namespace {

constexpr const char *kService = XPANEL_FUNCS_NAME;
// Longest control or data table read; a table without its zero row stops here.
constexpr std::size_t kMaxRows = 4096;

const void *address(XPanelGet f) {
  return reinterpret_cast<const void *>(f);
}
const void *address(XPanelSet f) {
  return reinterpret_cast<const void *>(f);
}
std::string copyText(const char *s) {
  return s ? s : "";
}

std::vector<PanelControl> copyControls(const XPanelControl *rows) {
  std::vector<PanelControl> out;
  for (std::size_t i = 0; rows && i < kMaxRows; ++i) {
    const XPanelControl &row = rows[i];
    if (row.id == 0 && row.label == nullptr && row.type == nullptr) break;
    out.push_back({row.id, copyText(row.label), copyText(row.type)});
  }
  return out;
}

std::vector<PanelDataDesc> copyDataDescs(const XPanelDataDesc *rows) {
  std::vector<PanelDataDesc> out;
  for (std::size_t i = 0; rows && i < kMaxRows; ++i) {
    const XPanelDataDesc &row = rows[i];
    if (row.id == 0 && row.name == nullptr && row.type == nullptr) break;
    out.push_back({row.id, copyText(row.name), copyText(row.type), row.name == nullptr});
  }
  return out;
}

void *create(int type, const XPanelControl *controls) {
  return guarded<void *>(nullptr, [&](Host &host) -> void * {
    auto token = host.log().open(Call(kService, "create").integer(type).ptr(controls));
    void *panel = nullptr;
    if (!host.faults().panelCreateFails())
      panel = &host.panels().create(type, copyControls(controls));
    host.log().close(token, [&](Call &c) { c.returnsPtr(panel); });
    return panel;
  });
}

void describe(void *panel, const XPanelDataDesc *data, XPanelGet get, XPanelSet set) {
  guardedVoid([&](Host &host) {
    host.log().record([&] {
      return Call(kService, "describe").ptr(panel).ptr(data).ptr(address(get)).ptr(address(set));
    });
    if (Panel *found = host.panels().find(panel)) found->describe(copyDataDescs(data), get, set);
  });
}

void hint(void *panel, uint32_t id, const XPanelHint *hints) {
  guardedVoid([&](Host &host) {
    host.log().record([&] {
      return Call(kService, "hint").ptr(panel).integer(static_cast<long long>(id)).ptr(hints);
    });
    if (Panel *found = host.panels().find(panel)) found->addHints(parseHints(id, hints));
  });
}

void setData(void *panel, uint32_t id, void *data) {
  guardedVoid([&](Host &host) {
    host.log().record([&] {
      return Call(kService, "setData").ptr(panel).integer(static_cast<long long>(id)).ptr(data);
    });
    if (Panel *found = host.panels().find(panel)) found->setData(id, data);
  });
}

void viewInst(void *panel, void *instance) {
  guardedVoid([&](Host &host) {
    host.log().record([&] { return Call(kService, "viewInst").ptr(panel).ptr(instance); });
    if (Panel *found = host.panels().find(panel)) found->viewInstance(instance);
  });
}

// The host would refresh its views; here the call is only recorded.
void instanceUpdateFunc(const char *className, void *instance) {
  guardedVoid([&](Host &host) {
    host.log().record(
        [&] { return Call(INSTANCE_UPDATE_NAME, "update").text(className).ptr(instance); });
  });
}

XPanelFuncs record = [] {
  XPanelFuncs r{};
  r.create = create;
  r.describe = describe;
  r.hint = hint;
  r.setData = setData;
  r.viewInst = viewInst;
  return r;
}();

}  // namespace

XPanelFuncs *panelFuncs() {
  return &record;
}
InstanceUpdateFunc instanceUpdate() {
  return instanceUpdateFunc;
}

}  // namespace refhost::records
