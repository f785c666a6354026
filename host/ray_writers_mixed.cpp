// The ray writers with one perspective and one angular axis.
#include "host/ray_writer.h"

namespace skyrind {

template SKYRIND_RAY_WRITER(false, true, false);
template SKYRIND_RAY_WRITER(false, false, true);
template SKYRIND_RAY_WRITER(true, true, false);
template SKYRIND_RAY_WRITER(true, false, true);

}  // namespace skyrind
