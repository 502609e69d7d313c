#pragma once
// The native records of a skeletal animation payload ('skan', versions 1 and 2) and their
// byte-swap descriptors.

#include <cstddef>
#include <cstdint>

#include "base/byte_swap.h"
#include "tags/tag_code.h"

namespace zephane {

inline constexpr tag_type kSkeletalAnimationTagType = fourcc("skan");
inline constexpr std::int16_t kSkanVersion = 2;
inline constexpr const char* kSkanModule = "skelanim";

// Animation flags.
inline constexpr std::uint16_t kSkanLoopable = 1u << 0;
inline constexpr std::uint16_t kSkanDistanceDriven = 1u << 1;
inline constexpr std::uint16_t kSkanFastInterrupt = 1u << 2;
inline constexpr std::uint16_t kSkanTurnDriven = 1u << 3;
// Frame action word.
inline constexpr std::uint16_t kSkanKeyFrame = 0x800;
inline constexpr std::uint16_t kSkanActionTypeMask = 0x7FF;

struct skan_header {
    std::uint32_t bone_count;
    std::uint32_t animation_count;
    std::uint32_t state_count;
    std::uint32_t runtime_pointers[3]; // zero on disk
};
static_assert(sizeof(skan_header) == 24);

struct skan_bone_base {
    char name[64];
    std::int32_t parent; // -1 for a root
    float rotation[4];   // (x, y, z, w), relative to the parent
    float position[3];   // relative to the parent
};
static_assert(sizeof(skan_bone_base) == 96);

struct skan_animation {
    char name[64];
    std::uint16_t frame_count;
    std::uint16_t flags;
    std::int16_t frames_per_second; // 8.8
    std::int16_t position_exponent; // stored positions are real positions × 2^e
    float fade_in;
    float interrupt_fade;
    float fade_out;
};
static_assert(sizeof(skan_animation) == 84);

struct skan_animation_v1 {
    char name[64];
    std::int16_t action_frame;
    std::uint16_t frame_count;
    std::uint16_t action_value;
    std::uint16_t flags;
    float frames_per_second;
    float position_scale; // real position = stored × scale
    float fade_in;
    float interrupt_fade;
    float fade_out;
};
static_assert(sizeof(skan_animation_v1) == 92);

struct skan_frame {
    std::int32_t motion;       // 16.16 (version 1: a float)
    std::uint16_t action;      // bit 11 key frame, bits 0-10 action type
    std::uint8_t action_bone[2]; // not converted: kept as the bytes the editor wrote
    tag_id action_tag;         // -1 when none
};
static_assert(sizeof(skan_frame) == 12);

struct skan_bone_pose {
    std::int16_t position[3]; // real × 2^e
    std::int16_t rotation[4]; // (x, y, z, w) × 32767 (version 1: × 32000)
};
static_assert(sizeof(skan_bone_pose) == 14);

struct skan_state {
    char name[64];
    std::uint16_t entry_count;
    std::uint16_t flags; // bit 0 pause at end, bit 1 keep animation when cycled
    std::uint32_t total_probability;
};
static_assert(sizeof(skan_state) == 72);

struct skan_state_entry {
    std::uint16_t animation;
    std::uint16_t probability;
};
static_assert(sizeof(skan_state_entry) == 4);

extern const bs_code skan_header_bs_codes[];
extern const bs_code skan_bone_base_bs_codes[];
extern const bs_code skan_animation_bs_codes[];
extern const bs_code skan_animation_v1_bs_codes[];
extern const bs_code skan_frame_bs_codes[];
extern const bs_code skan_bone_frame_pos_bs_codes[];
extern const bs_code skan_state_bs_codes[];
extern const bs_code skan_state_anim_list_bs_codes[];

} // namespace zephane
