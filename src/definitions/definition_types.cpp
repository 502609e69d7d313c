#include "definitions/definition_types.h"

#include <algorithm>

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
#include "definitions/unit.h"
#include "definitions/wind.h"

namespace zephane {

namespace {
template <typename R>
constexpr DefinitionType entry() {
    return {R::kType, &R::kLayout};
}

const DefinitionType kTypes[] = {
    entry<ambient_sound_definition>(),
    entry<artifact_definition>(),
    entry<collection_reference_definition>(),
    entry<connector_definition>(),
    entry<formation_definition>(),
    entry<game_parameter_definition>(),
    entry<global_light_definition>(),
    entry<lightning_definition>(),
    entry<local_light_definition>(),
    entry<local_physics_definition>(),
    entry<local_projectile_group_definition>(),
    entry<media_type_definition>(),
    entry<mesh_effect_definition>(),
    entry<mesh_lighting_definition>(),
    entry<monster_definition>(),
    entry<object_definition>(),
    entry<observer_constants_definition>(),
    entry<particle_system_definition>(),
    entry<projectile_group_definition>(),
    entry<projectile_definition>(),
    entry<scenery_definition>(),
    entry<sound_list_definition>(),
    {fourcc("stli"), nullptr},
    {fourcc("temp"), nullptr},
    {fourcc("text"), nullptr},
    entry<units_definition>(),
    entry<wind_definition>(),
};
} // namespace

std::span<const DefinitionType> definition_types() { return kTypes; }

const DefinitionType* find_definition_type(tag_type type) {
    const auto it = std::find_if(std::begin(kTypes), std::end(kTypes),
                                 [type](const DefinitionType& t) { return t.type == type; });
    return it == std::end(kTypes) ? nullptr : &*it;
}

} // namespace zephane
