// The host generation the tool plays, and what a module says it accepts.
#pragma once

#include <string>
#include <vector>

#include "common/options.h"
#include "refhost/host_profile.h"
#include "refhost/loader/module.h"

namespace skyhost {

// The profile `--host` names.
const refhost::HostProfile &hostProfile(const Options &options);

// The activation versions of 0 to 6 that the server does not refuse with
// status 1, asked under a 2023 host.
std::vector<int> acceptedVersions(const refhost::Module &module, const refhost::ServerInfo &server);

// "Windows", "macOS", "Linux" or "unknown" for a descriptor's machine word.
std::string machinePlatform(unsigned machine);

}  // namespace skyhost
