#include "skeletal/animation_state_names.h"

#include "base/byte_reader.h"
#include "skeletal/skan_payload.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr tag_type kSkmd = fourcc("skmd");
constexpr tag_type kSkan = fourcc("skan");

} // namespace

std::vector<std::string> read_skan_state_names(std::span<const std::uint8_t> payload) {
    std::vector<std::string> names;
    for (const SkanState& state : load_skan_payload(payload).states) names.push_back(skan_name(state.header.name));
    return names;
}

ModelStateNames skeletal_model_state_names(TagDatabase& db, tag_id model) {
    TagEntry* set_tag = db.find_tag(kSkmd, model);
    if (!set_tag) return {{}, kModelMissing};
    try {
        const Payload* set_bytes = db.get_tag_data(*set_tag);
        if (!set_bytes) return {{}, kModelDamaged};
        const SkmdLoad set = load_skmd_payload(*set_bytes);
        TagEntry* animation = db.find_tag(kSkan, set.set.header.animation);
        const Payload* animation_bytes = animation ? db.get_tag_data(*animation) : nullptr;
        if (!animation_bytes || animation->version != 2) return {{}, kModelDamaged};
        return {read_skan_state_names(*animation_bytes), nullptr};
    } catch (const FormatError&) {
        return {{}, kModelDamaged};
    }
}

} // namespace zephane
