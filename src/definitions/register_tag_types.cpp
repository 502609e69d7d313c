#include "definitions/register_tag_types.h"

#include "sound/sound_tag.h"
#include "textures/texture_stack_type.h"

namespace zephane {

void register_tag_types() {
    // Each type module adds its registration call here, one line per module.
    register_texture_stack_type();
    register_sound_type();
}

} // namespace zephane
