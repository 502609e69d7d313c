#include "skeletal/skan_records.h"

namespace zephane {

// Version 1 uses the same descriptors for every record except the animation header.
// clang-format off
const bs_code skan_header_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_GROUP_BEGIN, 6, BS_SWAP32, BS_GROUP_END, BS_GROUP_END};

const bs_code skan_bone_base_bs_codes[] = {
    BS_GROUP_BEGIN, 1, 64, BS_GROUP_BEGIN, 8, BS_SWAP32, BS_GROUP_END, BS_GROUP_END};

const bs_code skan_animation_bs_codes[] = {
    BS_GROUP_BEGIN, 1, 64,
    BS_GROUP_BEGIN, 4, BS_SWAP16, BS_GROUP_END,
    BS_GROUP_BEGIN, 3, BS_SWAP32, BS_GROUP_END,
    BS_GROUP_END};

const bs_code skan_animation_v1_bs_codes[] = {
    BS_GROUP_BEGIN, 1, 64,
    BS_GROUP_BEGIN, 4, BS_SWAP16, BS_GROUP_END,
    BS_GROUP_BEGIN, 5, BS_SWAP32, BS_GROUP_END,
    BS_GROUP_END};

const bs_code skan_frame_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP16, 2, BS_SWAP32, BS_GROUP_END};

const bs_code skan_bone_frame_pos_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_GROUP_BEGIN, 7, BS_SWAP16, BS_GROUP_END, BS_GROUP_END};

const bs_code skan_state_bs_codes[] = {
    BS_GROUP_BEGIN, 1, 64, BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_GROUP_END};

const bs_code skan_state_anim_list_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, BS_GROUP_END};
// clang-format on

} // namespace zephane
