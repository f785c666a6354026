#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "refhost/bindings/camera_session.h"
#include "session/host_generation.h"
#include "session/panel_settings.h"
#include "session/shot.h"

namespace skyhost {

int runPanel(const Options &o) {
  if (o.scene.empty()) checkOptions(o);
  refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o));
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
                value ? shownValue(control.id, *value).c_str() : "(none)");
  }
  return 0;
}

}  // namespace skyhost
