#include "render/marker_models.h"

#include <limits>

#include "base/byte_reader.h"
#include "definitions/definition_record.h"
#include "definitions/scen.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"

namespace zephane {

std::optional<PosedModel> palette_entry_model(TagDatabase& db, const marker_palette_entry& entry, bool complex) {
    if (entry.kind != 1) return std::nullopt;
    TagEntry* scenery = db.find_tag(fourcc("scen"), entry.tag);
    if (!scenery) return std::nullopt;
    scenery_definition definition{};
    if (!read_definition(db, *scenery, definition)) return std::nullopt;
    if (!(definition.flags & (1u << kScenerySkeletalBit))) return std::nullopt;
    TagEntry* model_tag = db.find_tag(fourcc("skmd"), definition.undamaged_model);
    const Payload* payload = model_tag ? db.get_tag_data(*model_tag) : nullptr;
    if (!payload) return std::nullopt;
    try {
        const SkmdLoad load = load_skmd_payload(*payload);
        if (load.set.models.empty()) return std::nullopt;
        PosedModel posed = pose_model(load.set.models.front(), complex ? std::numeric_limits<int>::max() : 0);
        if (posed.triangles.empty()) return std::nullopt;
        return posed;
    } catch (const FormatError&) {
        return std::nullopt;
    }
}

} // namespace zephane
