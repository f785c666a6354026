/* Calls into a plug-in's panel as the host makes them: a control id is a
 * 32-bit value, and on 64-bit Linux and macOS the upper half of the register
 * that carries it is not cleared. A callback that takes its id as a wider
 * type sees that upper half and must not be rescued by a tidy caller. */
#ifndef REFHOST_HOST_ID_CALL_H
#define REFHOST_HOST_ID_CALL_H

#include "host/host_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

void *refhost_call_get(XPanelGet get, void *instance, uint32_t id);
int refhost_call_set(XPanelSet set, void *instance, uint32_t id, void *value);

#ifdef __cplusplus
}
#endif

#endif
