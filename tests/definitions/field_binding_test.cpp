// Every editor's binding table against its record's field table: a binding that names a field
// the record lacks, or one its control cannot show, would stop the editor from opening.

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <span>

#include "definitions/amso.h"
#include "definitions/amso_bindings.h"
#include "definitions/arti.h"
#include "definitions/arti_bindings.h"
#include "definitions/conn.h"
#include "definitions/conn_bindings.h"
#include "definitions/field_binding.h"
#include "definitions/form.h"
#include "definitions/damage_bindings.h"
#include "definitions/form_bindings.h"
#include "definitions/game.h"
#include "definitions/game_bindings.h"
#include "definitions/glli.h"
#include "definitions/glli_bindings.h"
#include "definitions/loli.h"
#include "definitions/ligh.h"
#include "definitions/ligh_bindings.h"
#include "definitions/loli_bindings.h"
#include "definitions/meef.h"
#include "definitions/lpgr.h"
#include "definitions/lpgr_bindings.h"
#include "definitions/medi.h"
#include "definitions/medi_bindings.h"
#include "definitions/meef_bindings.h"
#include "definitions/meli.h"
#include "definitions/meli_bindings.h"
#include "definitions/obje.h"
#include "definitions/mons.h"
#include "definitions/mons_bindings.h"
#include "definitions/obje_bindings.h"
#include "definitions/obpc.h"
#include "definitions/obpc_bindings.h"
#include "definitions/part.h"
#include "definitions/part_bindings.h"
#include "definitions/phys.h"
#include "definitions/phys_bindings.h"
#include "definitions/prgr.h"
#include "definitions/proj.h"
#include "definitions/proj_bindings.h"
#include "definitions/prgr_bindings.h"
#include "definitions/scen.h"
#include "definitions/scen_bindings.h"
#include "definitions/unit.h"
#include "definitions/unit_bindings.h"
#include "definitions/wind.h"
#include "definitions/wind_bindings.h"

namespace zephane {
namespace {

struct EditorTable {
    const char* editor;
    const RecordLayout& layout;
    std::span<const FieldBinding> bindings;
};

std::vector<EditorTable> editor_tables() {
    return {
        {"amso", ambient_sound_definition::kLayout, amso_bindings::kBindings},
        {"arti", artifact_definition::kLayout, arti_bindings::kBindings},
        {"conn", connector_definition::kLayout, conn_bindings::kBindings},
        {"damage", kDamageLayout, damage_bindings::kBindings},
        {"form", formation_definition::kLayout, form_bindings::kBindings},
        {"game", game_parameter_definition::kLayout, game_bindings::kBindings},
        {"glli", global_light_definition::kLayout, glli_bindings::kBindings},
        {"ligh", lightning_definition::kLayout, ligh_bindings::kBindings},
        {"loli", local_light_definition::kLayout, loli_bindings::kBindings},
        {"lpgr", local_projectile_group_definition::kLayout, lpgr_bindings::kBindings},
        {"medi", media_type_definition::kLayout, medi_bindings::kBindings},
        {"meef", mesh_effect_definition::kLayout, meef_bindings::kBindings},
        {"meli", mesh_lighting_definition::kLayout, meli_bindings::kBindings},
        {"mons", monster_definition::kLayout, mons_bindings::kBindings},
        {"mons flags", monster_definition::kLayout, mons_bindings::kFlagBindings},
        {"mons attack", *find_field(monster_definition::kLayout, "attacks")->field->layout,
         mons_bindings::kAttackBindings},
        {"obje", object_definition::kLayout, obje_bindings::kBindings},
        {"obpc", observer_constants_definition::kLayout, obpc_bindings::axis_bindings()},
        {"part", particle_system_definition::kLayout, part_bindings::kBindings},
        {"phys", local_physics_definition::kLayout, phys_bindings::kBindings},
        {"phys linear", *physics_block_layout(0), phys_bindings::kKindDialogs[0].bindings},
        {"phys cylindrical", *physics_block_layout(1), phys_bindings::kKindDialogs[1].bindings},
        {"phys spherical spring", *physics_block_layout(2), phys_bindings::kKindDialogs[2].bindings},
        {"phys point attractor", *physics_block_layout(3), phys_bindings::kKindDialogs[3].bindings},
        {"phys converging", *physics_block_layout(4), phys_bindings::kKindDialogs[4].bindings},
        {"phys explosive gas", *physics_block_layout(5), phys_bindings::kKindDialogs[5].bindings},
        {"proj", projectile_definition::kLayout, proj_bindings::kBindings},
        {"proj flags", projectile_definition::kLayout, proj_bindings::kFlagBindings},
        {"prgr", projectile_group_definition::kLayout, prgr_bindings::kBindings},
        {"prgr part", *find_field(projectile_group_definition::kLayout, "parts")->field->layout,
         prgr_bindings::kPartBindings},
        {"scen", scenery_definition::kLayout, scen_bindings::kBindings},
        {"unit", units_definition::kLayout, unit_bindings::kBindings},
        {"wind", wind_definition::kLayout, wind_bindings::kBindings},
    };
}

TEST(EditorBindingTables, EveryFieldExistsWithAnEncodingItsControlShows) {
    for (const EditorTable& table : editor_tables()) {
        SCOPED_TRACE(table.editor);
        ASSERT_FALSE(table.bindings.empty());
        for (const FieldBinding& binding : table.bindings) {
            SCOPED_TRACE(binding.field);
            const BindingPlace place = resolve_binding(table.layout, binding);
            ASSERT_EQ(place.problem, nullptr) << place.problem;
            EXPECT_LE(place.offset + place.field->width, table.layout.size);
            if (binding.second_field) {
                EXPECT_LE(place.second_offset + place.second->width, table.layout.size);
            }
        }
    }
}

TEST(EditorBindingTables, ControlIdsAreUniqueWithinATable) {
    for (const EditorTable& table : editor_tables()) {
        SCOPED_TRACE(table.editor);
        std::set<int> ids;
        for (const FieldBinding& binding : table.bindings) {
            EXPECT_TRUE(ids.insert(binding.control).second) << binding.control;
            if (binding.second) {
                EXPECT_TRUE(ids.insert(binding.second).second) << binding.second;
            }
        }
    }
}

TEST(ResolveBinding, NamesTheFieldABadBindingGetsWrong) {
    const RecordLayout& wind = wind_definition::kLayout;
    struct Case {
        FieldBinding binding;
        const char* problem;
    };
    const Case cases[] = {
        {bind::number("no_such_field", 1, "x"), "no_such_field"},
        // A field of another kind than the control's.
        {bind::flag("maximum_adjustment_per_tick", 0, 1), "maximum_adjustment_per_tick"},
        {bind::reference("velocity_lower", 1, "x"), "velocity_lower"},
        {bind::decimal_range("maximum_adjustment_per_tick", "velocity_delta", 1, 2, "x"),
         "maximum_adjustment_per_tick"},
        // An element past the array.
        {bind::number("velocity_lower", 1, "x", nullptr, 3), "velocity_lower"},
        // A second field missing, or one no edit box shows.
        {bind::range("velocity_lower", "no_delta", 1, 2, "x"), "no_delta"},
        {bind::decimal_range("time_between_adjustments_lower", "reserved_40", 1, 2, "x"),
         "reserved_40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const char* problem = resolve_binding(wind, c.binding).problem;
        ASSERT_NE(problem, nullptr);
        EXPECT_STREQ(problem, c.problem);
    }
    // A flag's bit must lie inside the field.
    const FieldBinding bit16 = bind::flag("flags", 16, 1);
    EXPECT_STREQ(resolve_binding(object_definition::kLayout, bit16).problem, "flags");
    EXPECT_EQ(resolve_binding(object_definition::kLayout, bind::flag("flags", 15, 1)).problem,
              nullptr);

    // A sound binding places the element asked for, and its delta's element with it.
    const BindingPlace z = resolve_binding(
        wind, bind::range("velocity_lower", "velocity_delta", 1, 2, "Z:", nullptr, 2));
    ASSERT_EQ(z.problem, nullptr);
    constexpr std::size_t kThird = 2 * sizeof(std::int32_t);
    EXPECT_EQ(z.offset, offsetof(wind_definition, velocity_lower) + kThird);
    EXPECT_EQ(z.second_offset, offsetof(wind_definition, velocity_delta) + kThird);
}

} // namespace
} // namespace zephane
