#include "session/panel_settings.h"

#include "common/vec3.h"
#include "panel/control_ids.h"

namespace skyhost {

PanelSettings readPanelSettings(const refhost::Panel &panel) {
  auto value = [&](unsigned long id) { return panel.read(id).value_or(0); };
  using namespace skyrind;
  PanelSettings s;
  s.hFovDegrees = degrees(value(kHorizontalFov));
  s.vFovDegrees = degrees(value(kVerticalFov));
  s.hPerspective = value(kHorizontalPerspective) != 0;
  s.vPerspective = value(kVerticalPerspective) != 0;
  s.verticalPanorama = value(kVerticalPanorama) != 0;
  s.autoHFov = value(kAutoHorizontalFov) != 0;
  s.autoVFov = value(kAutoVerticalFov) != 0;
  s.hShiftPercent = value(kHorizontalShift) * 100;
  s.vShiftPercent = value(kVerticalShift) * 100;
  return s;
}

}  // namespace skyhost
