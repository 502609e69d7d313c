#include "skeletal/skmd_records.h"

namespace zephane {

// clang-format off
const bs_code skmd_header_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_SWAP32, BS_SWAP32, BS_SWAP16, BS_SWAP16,
    BS_GROUP_BEGIN, 16, BS_SWAP32, BS_SWAP32, BS_SWAP16, BS_SWAP16, 4, BS_GROUP_END,
    BS_GROUP_END};

const bs_code skmd_modelheader_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    32, BS_SWAP32,
    BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,
    BS_SWAP16, BS_SWAP16,
    62, 2, 4, 4,
    BS_GROUP_BEGIN, 12, BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_SWAP32, 4, BS_GROUP_END,
    BS_GROUP_END};

const bs_code skmd_bone_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    64, BS_SWAP32, BS_SWAP16, 2,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,
    BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16, BS_SWAP16,
    BS_SWAP32,
    BS_GROUP_BEGIN, 6, BS_SWAP32, BS_GROUP_END,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,
    1, 1, 2,
    BS_SWAP32, BS_SWAP32, BS_SWAP32,
    BS_GROUP_END};

const bs_code skmd_collision_box_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_GROUP_BEGIN, 10, BS_SWAP16, BS_GROUP_END, BS_GROUP_END};

const bs_code skmd_collision_triangle_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_GROUP_BEGIN, 12, BS_SWAP16, BS_GROUP_END,
    BS_GROUP_BEGIN, 4, BS_SWAP32, BS_GROUP_END,
    BS_GROUP_END};

const bs_code skmd_lod_header_bs_codes[] = {
    BS_GROUP_BEGIN, 1, BS_GROUP_BEGIN, 6, BS_SWAP16, BS_GROUP_END, BS_GROUP_END};
// clang-format on

} // namespace zephane
