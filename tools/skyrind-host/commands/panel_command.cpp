#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "refhost/bindings/camera_session.h"
#include "session/host_generation.h"
#include "session/vr_camera_settings.h"
#include "session/panel_settings.h"
#include "session/shot.h"

namespace skyhost {
namespace {

// A control's value in the user's units: skyrind.p's by its table, the
// others by their control type.
std::string shown(const refhost::ControlListing &control, double value, bool panorama) {
  if (panorama) return shownValue(control.id, value);
  char text[64];
  if (control.type == "angle-env")
    std::snprintf(text, sizeof text, "%.6g deg", degrees(value));
  else if (control.type == "distance-env")
    std::snprintf(text, sizeof text, "%.6g m", value);
  else if (control.type == "iBoolean")
    return value != 0 ? "on" : "off";
  else
    std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

}  // namespace

int runPanel(const Options &o) {
  if (o.scene.empty()) checkOptions(o);
  refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o),
                                 vrServerName(o.camera));
  setUpShot(o, session);
  refhost::Panel &panel = session.panel();
  std::printf("Panel \"%s\"\n", panel.title().c_str());
  uint32_t group = ~0u;
  int groupNumber = 0;
  for (const refhost::ControlListing &control : panel.listing()) {
    if (control.group != group) {
      group = control.group;
      std::printf("  Group %d (0x%x)\n", ++groupNumber, static_cast<unsigned>(group));
    }
    std::optional<double> value = panel.read(control.id);  // through the plug-in's get
    std::printf("    %-22s %-12s %s\n", control.label.c_str(), control.type.c_str(),
                value ? shown(control, *value, o.camera.empty()).c_str() : "(none)");
  }
  return 0;
}

}  // namespace skyhost
