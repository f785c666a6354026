// The built plug-in, loaded once per fuzzer process through the reference
// host's loader, exactly as a host loads it.
#pragma once

#include "refhost/loader/module.h"

namespace skyrind_fuzz {

const refhost::Module &pluginModule();

}  // namespace skyrind_fuzz
