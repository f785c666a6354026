#include "session/panel_settings.h"

#include <cstdio>

#include "common/input_error.h"
#include "common/vec3.h"
#include "panel/control_ids.h"

namespace skyhost {

namespace {
using C = ControlUnit;
using P = PanelSettings;
}  // namespace

const std::array<PanelControl, 9> kPanelControls = {{
    {skyrind::kHorizontalFov, C::Angle, "hFovDegrees", &P::hFovDegrees},
    {skyrind::kVerticalFov, C::Angle, "vFovDegrees", &P::vFovDegrees},
    {skyrind::kHorizontalPerspective, C::Switch, "hPerspective", nullptr, &P::hPerspective},
    {skyrind::kVerticalPerspective, C::Switch, "vPerspective", nullptr, &P::vPerspective},
    {skyrind::kVerticalPanorama, C::Switch, "verticalPanorama", nullptr, &P::verticalPanorama},
    {skyrind::kAutoHorizontalFov, C::Switch, "autoHFov", nullptr, &P::autoHFov},
    {skyrind::kAutoVerticalFov, C::Switch, "autoVFov", nullptr, &P::autoVFov},
    {skyrind::kHorizontalShift, C::Percent, "hShiftPercent", &P::hShiftPercent},
    {skyrind::kVerticalShift, C::Percent, "vShiftPercent", &P::vShiftPercent},
}};

namespace {

// The setting in the user's units: degrees, percent, 0/1.
double userValue(const PanelControl &c, const PanelSettings &s) {
  return c.unit == C::Switch ? s.*c.flag : s.*c.number;
}

// The panel's value (radians, fraction, 0/1) in the user's units, and back.
double toUser(ControlUnit unit, double value) {
  if (unit == C::Angle) return degrees(value);
  if (unit == C::Percent) return value * 100;
  return value;
}
double toPanel(ControlUnit unit, double value) {
  if (unit == C::Angle) return radians(value);
  if (unit == C::Percent) return value / 100;
  return value;
}

}  // namespace

void applyPanelSettings(refhost::Panel &panel, const PanelSettings &settings,
                        const std::string &source) {
  for (const PanelControl &c : kPanelControls)
    if (panel.edit(c.id, toPanel(c.unit, userValue(c, settings))) != 1)
      throw InputError(source, "the panel refused control " + std::to_string(c.id));
}

PanelSettings readPanelSettings(const refhost::Panel &panel) {
  PanelSettings s;
  for (const PanelControl &c : kPanelControls) {
    double value = toUser(c.unit, panel.read(c.id).value_or(0));
    if (c.unit == C::Switch)
      s.*c.flag = value != 0;
    else
      s.*c.number = value;
  }
  return s;
}

std::vector<ImageAttribute> panelAttributes(const PanelSettings &settings) {
  std::vector<ImageAttribute> attributes;
  for (const PanelControl &c : kPanelControls)
    attributes.push_back({c.attribute, userValue(c, settings), c.unit == C::Switch});
  return attributes;
}

std::string shownValue(uint32_t id, double value) {
  for (const PanelControl &c : kPanelControls) {
    if (c.id != id) continue;
    if (c.unit == C::Switch) return value != 0 ? "on" : "off";
    char text[64];
    std::snprintf(text, sizeof text, c.unit == C::Angle ? "%.6g deg" : "%.6g %%",
                  toUser(c.unit, value));
    return text;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

}  // namespace skyhost
