#include "definitions/register_tag_types.h"

#include "textures/texture_stack_type.h"

namespace zephane {

void register_tag_types() {
    // Each type module adds its registration call here, one line per module.
    register_texture_stack_type();
}

} // namespace zephane
