#include "definitions/register_tag_types.h"

#include "definitions/amso.h"
#include "definitions/arti.h"
#include "definitions/conn.h"
#include "definitions/core.h"
#include "definitions/form.h"
#include "definitions/game.h"
#include "definitions/glli.h"
#include "definitions/ligh.h"
#include "definitions/loli.h"
#include "definitions/lpgr.h"
#include "definitions/medi.h"
#include "definitions/meef.h"
#include "definitions/meli.h"
#include "definitions/mons.h"
#include "definitions/obje.h"
#include "definitions/obpc.h"
#include "definitions/part.h"
#include "definitions/phys.h"
#include "definitions/prgr.h"
#include "definitions/proj.h"
#include "definitions/scen.h"
#include "definitions/soli.h"
#include "definitions/text_tag.h"
#include "definitions/unit.h"
#include "definitions/wind.h"
#include "dialogs/dialog_type.h"
#include "mesh/mesh_dependencies.h"
#include "skeletal/skan_type.h"
#include "skeletal/skmd_type.h"
#include "sound/sound_tag.h"
#include "textures/sprite_type.h"
#include "textures/texture_stack_type.h"

namespace zephane {

void register_tag_types() {
    // Each type module adds its registration call here, one line per module.
    // Definition types and maps:
    register_ambient_sound_type();
    register_artifact_type();
    register_collection_reference_type();
    register_connector_type();
    register_dialog_type();
    register_formation_type();
    register_game_parameter_type();
    register_global_light_type();
    register_lightning_type();
    register_local_light_type();
    register_local_physics_type();
    register_local_projectile_group_type();
    register_media_type_type();
    register_mesh_effect_type();
    register_mesh_lighting_type();
    register_monster_type();
    register_object_type();
    register_observer_constants_type();
    register_particle_system_type();
    register_projectile_group_type();
    register_projectile_type();
    register_scenery_type();
    register_sound_list_type();
    register_string_list_type();
    register_template_type();
    register_text_type();
    register_units_type();
    register_wind_type();
    register_mesh_type();
    // Sounds, textures and models:
    register_sound_type();
    register_texture_stack_type();
    register_sprite_type();
    register_ground_sprites_type();
    register_skeletal_model_type();
    register_skeletal_animation_type();
    register_camera_animation_type();
}

} // namespace zephane
