// The media type editor: the surface's textures, opacity and specular ranges, the surface
// effect it spawns, the splash projectile groups and the four surface animation sets.

#include "definitions/ui/medi_form.h"

#include "app/definition_edit_form.h"
#include "definitions/medi.h"
#include "definitions/medi_bindings.h"

namespace zephane {

namespace {

using namespace medi_bindings;

// The surface and what it spawns in the first column, the animation sets as a 2 × 2 grid.
constexpr EditorGroup kGroups[] = {{nullptr, 0},           {kSurface, 0},          {kSurfaceEffect, 0},
                                   {kSplashes, 0},         {kAnimationSets[0], 1}, {kAnimationSets[1], 1},
                                   {kAnimationSets[2], 2}, {kAnimationSets[3], 2}};

using TmediEditForm = TableEditForm<media_type_definition>;

} // namespace

void register_media_type_editor() {
    attach_table_editor<TmediEditForm>(1010, "Media Type Window", kBindings, kGroups);
}

} // namespace zephane
