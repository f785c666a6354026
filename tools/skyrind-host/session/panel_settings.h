// The panel's nine controls and the settings they hold, listed once. The
// table drives editing the panel from the settings, reading them back, the
// OpenEXR attributes that record them and the panel printout.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/options.h"
#include "image_io/image_metadata.h"
#include "refhost/panel.h"

namespace skyhost {

// The panel holds radians, fractions of the film and 0/1; the user reads
// degrees, percent and on/off.
enum class ControlUnit { Angle, Percent, Switch };

struct PanelControl {
  uint32_t id;  // the plug-in's control id
  ControlUnit unit;
  const char *attribute;  // the OpenEXR header attribute, named in the user's unit
  double PanelSettings::*number = nullptr;  // Angle and Percent: degrees or percent
  bool PanelSettings::*flag = nullptr;      // Switch
};

// In id order, the order the controls are edited in.
extern const std::array<PanelControl, 9> kPanelControls;

// Edits every control through the panel as a user would. Throws InputError
// naming source (the plug-in) when the panel refuses one.
void applyPanelSettings(refhost::Panel &panel, const PanelSettings &settings,
                        const std::string &source);
// The settings as the panel now shows them: what a render made with a scene
// file or the options actually used.
PanelSettings readPanelSettings(const refhost::Panel &panel);
// The settings as OpenEXR header attributes: doubles, switches as ints.
std::vector<ImageAttribute> panelAttributes(const PanelSettings &settings);
// A control's value in the panel's units as the user reads it: "90 deg",
// "5 %", "on"; a control the table does not list as a plain number.
std::string shownValue(uint32_t id, double value);

}  // namespace skyhost
