// The particle system editor: the particles' sprite, view distances and transparency,
// velocities and boundaries, and the cycle between the not snowing and the snowing state.

#include "definitions/ui/part_form.h"

#include "app/definition_edit_form.h"
#include "definitions/part.h"
#include "definitions/part_bindings.h"

namespace zephane {

namespace {

using namespace part_bindings;

constexpr EditorGroup kGroups[] = {{nullptr, 0},    {kView, 0},       {kFlags, 0},     {kVelocities, 1},
                                   {kBoundaries, 1}, {kNotSnowing, 2}, {kSnowing, 2}};

using TpartEditForm = TableEditForm<particle_system_definition>;

} // namespace

void register_particle_system_editor() {
    attach_table_editor<TpartEditForm>(1018, "Particle Systems Window", kBindings, kGroups);
}

} // namespace zephane
