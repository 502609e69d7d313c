#include "skeletal/animation_state_names.h"

#include "base/byte_reader.h"
#include "skeletal/skmd_payload.h"
#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr tag_type kSkmd = fourcc("skmd");
constexpr tag_type kSkan = fourcc("skan");
constexpr std::size_t kHeaderSize = 24, kBoneSize = 96, kAnimationHeaderSize = 84, kFrameRecordSize = 12,
                      kBonePoseSize = 14, kStateHeaderSize = 72, kStateEntrySize = 4, kNameSize = 64;

// A name field: up to its NUL, at most the field's width.
std::string name_of(std::span<const std::uint8_t> field) {
    std::string name;
    for (const std::uint8_t c : field) {
        if (c == 0) break;
        name.push_back(static_cast<char>(c));
    }
    return name;
}

} // namespace

std::vector<std::string> read_skan_state_names(std::span<const std::uint8_t> payload) {
    ByteReader in(payload);
    const std::uint32_t bones = in.u32("bone count");
    const std::uint32_t animations = in.u32("animation count");
    const std::uint32_t states = in.u32("state count");
    in.seek(kHeaderSize, "skan header");
    in.require_elements(bones, kBoneSize, "bone table");
    in.skip(bones * kBoneSize, "bone table");
    in.require_elements(animations, 4, "animation pointer table");
    in.skip(animations * 4, "animation pointer table");
    in.require_elements(states, 4, "state pointer table");
    in.skip(states * 4, "state pointer table");
    // A frame: its record and a pose per bone, rounded up to a multiple of 4 bytes.
    const std::size_t frame_size = (kFrameRecordSize + kBonePoseSize * bones + 3) / 4 * 4;
    for (std::uint32_t a = 0; a < animations; ++a) {
        const std::size_t start = in.position();
        in.skip(kNameSize, "animation name");
        const std::uint16_t frames = in.u16("frame count");
        in.seek(start + kAnimationHeaderSize, "animation header");
        in.require_elements(frames, frame_size, "animation frames");
        in.skip(frames * frame_size, "animation frames");
    }
    std::vector<std::string> names;
    for (std::uint32_t s = 0; s < states; ++s) {
        const std::size_t start = in.position();
        names.push_back(name_of(in.bytes(kNameSize, "state name")));
        const std::uint16_t entries = in.u16("state entry count");
        in.seek(start + kStateHeaderSize, "state header");
        in.require_elements(entries, kStateEntrySize, "state entries");
        in.skip(entries * kStateEntrySize, "state entries");
    }
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
