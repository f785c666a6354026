// skyrind-vr.p's cameras for the tool: the server a --camera names, its
// default frame, and its settings edited through its panel as a user would.
#pragma once

#include <string>

#include "common/options.h"
#include "refhost/panel.h"

namespace skyhost {

// "SkyrindStereo360", "SkyrindVR180" or "SkyrindDome"; "" for skyrind.p's.
std::string vrServerName(const std::string &camera);

// Without --height: square for stereo 360 (each eye 2:1) and the
// dome, 2:1 for VR180 (each eye square).
ImageSettings vrDefaultFrame(const Options &options);

// Each setting through the panel's set, as an edit in the panel would.
void applyVrSettings(refhost::Panel &panel, const Options &options);

}  // namespace skyhost
