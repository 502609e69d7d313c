#include "app/register_tag_editors.h"

#include "definitions/ui/amso_form.h"
#include "definitions/ui/arti_form.h"
#include "definitions/ui/conn_form.h"
#include "definitions/ui/form_form.h"
#include "definitions/ui/game_form.h"
#include "definitions/ui/glli_form.h"
#include "definitions/ui/ligh_form.h"
#include "definitions/ui/loli_form.h"
#include "definitions/ui/lpgr_form.h"
#include "definitions/ui/medi_form.h"
#include "definitions/ui/meef_form.h"
#include "definitions/ui/meli_form.h"
#include "definitions/ui/mons_form.h"
#include "definitions/ui/obje_form.h"
#include "definitions/ui/obpc_form.h"
#include "definitions/ui/part_form.h"
#include "definitions/ui/phys_form.h"
#include "definitions/ui/prgr_form.h"
#include "definitions/ui/proj_form.h"
#include "definitions/ui/scen_form.h"
#include "definitions/ui/soli_form.h"
#include "definitions/ui/text_tag_form.h"
#include "definitions/ui/unit_form.h"
#include "definitions/ui/wind_form.h"
#include "dialogs/ui/dialog_preview_form.h"
#include "app/tag_details_form.h"
#include "mesh/ui/mesh_form.h"
#include "skeletal/ui/skan_form.h"
#include "skeletal/ui/skmd_form.h"
#include "sound/ui/soun_form.h"
#include "textures/ui/txst_form.h"
#include "textures/ui/grsp_form.h"
#include "textures/ui/spri_form.h"

namespace zephane {

void register_tag_editors() {
    // Each editor module adds its registration call here, one line per module.
    register_ambient_sound_editor();
    register_artifact_editor();
    register_connector_editor();
    register_dialog_preview();
    register_formation_editor();
    register_game_parameter_editor();
    register_global_light_editor();
    register_lightning_editor();
    register_local_light_editor();
    register_local_physics_editor();
    register_local_projectile_group_editor();
    register_media_type_editor();
    register_mesh_effect_editor();
    register_mesh_lighting_editor();
    register_mesh_editors();
    register_monster_editor();
    register_object_editor();
    register_projectile_editor();
    register_projectile_group_editor();
    register_observer_constants_editor();
    register_particle_system_editor();
    register_scenery_editor();
    register_skeletal_animation_editor();
    register_sound_list_editor();
    register_skeletal_model_editor();
    register_sound_editor();
    register_texture_stack_editor();
    register_sprite_editor();
    register_ground_sprites_editor();
    register_text_editors();
    register_units_editor();
    register_wind_editor();
    register_tag_details(); // every type left without an editor
}

} // namespace zephane
