// How the module makes its descriptor visible to the host's loader: the one
// symbol the shared library exports, whatever the platform.
#pragma once

#if defined(_WIN32)
#define SKYRIND_MODULE_EXPORT __declspec(dllexport)
#else
#define SKYRIND_MODULE_EXPORT __attribute__((visibility("default")))
#endif
