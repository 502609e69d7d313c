#include "app/register_tag_editors.h"

#include "definitions/amso_form.h"
#include "definitions/arti_form.h"
#include "definitions/conn_form.h"
#include "definitions/form_form.h"
#include "definitions/game_form.h"
#include "definitions/glli_form.h"
#include "definitions/loli_form.h"
#include "definitions/meef_form.h"
#include "definitions/meli_form.h"
#include "definitions/obje_form.h"
#include "definitions/obpc_form.h"
#include "definitions/soli_form.h"
#include "definitions/text_tag_form.h"
#include "definitions/wind_form.h"

namespace zephane {

void register_tag_editors() {
    // Each editor module adds its registration call here, one line per module.
    register_ambient_sound_editor();
    register_artifact_editor();
    register_connector_editor();
    register_formation_editor();
    register_game_parameter_editor();
    register_global_light_editor();
    register_local_light_editor();
    register_mesh_effect_editor();
    register_mesh_lighting_editor();
    register_object_editor();
    register_observer_constants_editor();
    register_sound_list_editor();
    register_text_editors();
    register_wind_editor();
}

} // namespace zephane
