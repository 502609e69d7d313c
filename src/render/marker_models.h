#pragma once
// The skeletal models the Simple Models and Complex Models displays draw for markers: a
// palette entry of kind Scenery whose definition has "Use 3D Model" set resolves to its
// undamaged model, one of kind Monster through its units definition to the monster's graphic
// when that monster has "Use 3D Model" set; posed at rest, Simple Models taking the model's
// smallest level of detail, Complex Models its largest. Other kinds (and definitions without
// a model) have none and are drawn as boxes.

#include <optional>

#include "mesh/mesh_records.h"
#include "skeletal/skmd_posed.h"

namespace zephane {

class TagDatabase;

// None when the entry names no model or the model's tag cannot be read.
std::optional<PosedModel> palette_entry_model(TagDatabase& db, const marker_palette_entry& entry, bool complex);

} // namespace zephane
