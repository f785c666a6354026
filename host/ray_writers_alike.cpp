// The ray writers whose two axes are of one kind: both angular or both
// perspective.
#include "host/ray_writer.h"

namespace skyrind {

template SKYRIND_RAY_WRITER(false, false, false);
template SKYRIND_RAY_WRITER(false, true, true);
template SKYRIND_RAY_WRITER(true, false, false);
template SKYRIND_RAY_WRITER(true, true, true);

}  // namespace skyrind
