/* Written in C: the call goes through a type that differs from the
 * callback's own on purpose, which C++ sanitizers would stop before the
 * plug-in ever saw it. */
#include "refhost/services/host_id_call.h"

#if defined(_WIN32)
/* Windows passes the id in a 32-bit register half as well, but every
 * compiler there agrees on the width: call it plainly. */
void *refhost_call_get(XPanelGet get, void *instance, uint32_t id) {
  return get(instance, id);
}
int refhost_call_set(XPanelSet set, void *instance, uint32_t id, void *value) {
  return set(instance, id, value);
}
#else
/* What is left in the upper half of the id's register. */
static const uint64_t kStaleUpperHalf = 0xDEADBEEF00000000u;

/* Through the generic function type: the cast is the point. */
typedef void (*AnyFunction)(void);

void *refhost_call_get(XPanelGet get, void *instance, uint32_t id) {
  void *(*wide)(void *, uint64_t) = (void *(*)(void *, uint64_t))(AnyFunction)get;
  return wide(instance, kStaleUpperHalf | id);
}
int refhost_call_set(XPanelSet set, void *instance, uint32_t id, void *value) {
  int (*wide)(void *, uint64_t, void *) = (int (*)(void *, uint64_t, void *))(AnyFunction)set;
  return wide(instance, kStaleUpperHalf | id, value);
}
#endif
