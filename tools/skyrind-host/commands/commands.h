// The subcommands. Each returns the process's exit status and throws
// InputError (or another std::exception) for a bad input.
#pragma once

#include "common/options.h"

namespace skyhost {

int runRender(const Options &options);
int runPreview(const Options &options);
int runPanel(const Options &options);
int runInfo(const Options &options);
int runView(const Options &options);
int runTag(const Options &options);
// tag --stereo: a packed stereo picture into a new stereo photo (NAME.vr.jpg).
int runTagStereo(const Options &options);

}  // namespace skyhost
