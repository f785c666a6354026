#include <cstdio>
#include <string>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "session/camera_session.h"
#include "session/shot.h"

namespace skyhost {
namespace {

// A control's value as the panel shows it, read through the plug-in's get.
std::string shown(const refhost::Panel &panel, const refhost::ControlListing &control) {
  std::optional<double> value = panel.read(control.id);
  if (!value) return "(none)";
  char text[64];
  if (control.type == "angle-env") {
    std::snprintf(text, sizeof text, "%.6g deg", degrees(*value));
  } else if (control.type == "percent-env") {
    std::snprintf(text, sizeof text, "%.6g %%", *value * 100);
  } else if (control.type == "iBoolean") {
    return *value != 0 ? "on" : "off";
  } else {
    std::snprintf(text, sizeof text, "%.9g", *value);
  }
  return text;
}

}  // namespace

int runPanel(const Options &o) {
  if (o.scene.empty()) checkOptions(o);
  CameraSession session(o.plugin);
  setUpShot(o, session);
  refhost::Panel &panel = session.panel();
  std::printf("Panel \"%s\"\n", panel.title().c_str());
  unsigned long group = ~0ul;
  int groupNumber = 0;
  for (const refhost::ControlListing &control : panel.listing()) {
    if (control.group != group) {
      group = control.group;
      std::printf("  Group %d (0x%lx)\n", ++groupNumber, group);
    }
    std::printf("    %-22s %-12s %s\n", control.label.c_str(), control.type.c_str(),
                shown(panel, control).c_str());
  }
  return 0;
}

}  // namespace skyhost
