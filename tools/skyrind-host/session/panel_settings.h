// The camera's settings as its panel now shows them, in the user's units:
// what a render made with a scene file or the options actually used.
#pragma once

#include "common/options.h"
#include "refhost/panel.h"

namespace skyhost {

PanelSettings readPanelSettings(const refhost::Panel &panel);

}  // namespace skyhost
