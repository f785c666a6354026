// The instance operations, in the shapes of the host's InstanceFuncs.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

void *createInstance(void *priv, void *item, const char **error);
void destroyInstance(void *instance);
const char *copyInstance(void *to, void *from);
const char *describeInstance(void *instance);
const char *loadInstance(void *instance, const LoadState *state);
const char *saveInstance(void *instance, const SaveState *state);

}  // namespace skyrind
