#include "render/marker_models.h"

#include <limits>

#include "base/byte_reader.h"
#include "definitions/definition_record.h"
#include "definitions/mons.h"
#include "definitions/scen.h"
#include "definitions/unit.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr std::uint16_t kSceneryKind = 1;
constexpr std::uint16_t kMonsterKind = 3; // the entry names a units definition

// The skeletal model a palette entry's definition draws with, or none.
std::optional<tag_id> entry_model(TagDatabase& db, const marker_palette_entry& entry) {
    if (entry.kind == kSceneryKind) {
        TagEntry* scenery = db.find_tag(fourcc("scen"), entry.tag);
        scenery_definition definition{};
        if (!scenery || !read_definition(db, *scenery, definition)) return std::nullopt;
        if (!(definition.flags & (1u << kScenerySkeletalBit))) return std::nullopt;
        return definition.undamaged_model;
    }
    if (entry.kind == kMonsterKind) {
        // Units name their monster, whose graphic is a skeletal model when "Use 3D Model" is set.
        TagEntry* units = db.find_tag(fourcc("unit"), entry.tag);
        units_definition unit{};
        if (!units || !read_definition(db, *units, unit)) return std::nullopt;
        TagEntry* monster = db.find_tag(fourcc("mons"), unit.monster);
        monster_definition definition{};
        if (!monster || !read_definition(db, *monster, definition)) return std::nullopt;
        if (!(definition.flags & (1u << kMonsterSkeletalBit))) return std::nullopt;
        return definition.graphic;
    }
    return std::nullopt;
}

} // namespace

std::optional<PosedModel> palette_entry_model(TagDatabase& db, const marker_palette_entry& entry, bool complex) {
    const std::optional<tag_id> model = entry_model(db, entry);
    if (!model) return std::nullopt;
    TagEntry* model_tag = db.find_tag(fourcc("skmd"), *model);
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
