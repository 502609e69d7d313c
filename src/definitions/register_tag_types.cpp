#include "definitions/register_tag_types.h"

namespace zephane {

void register_tag_types() {
    // Each type module adds its registration call here, one line per module.
}

} // namespace zephane
