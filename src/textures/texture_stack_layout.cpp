#include "textures/texture_stack_layout.h"

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
} // namespace

const bs_code kTxstTagHeaderCodes[] = {B, 1, S, 2, E};
const bs_code kTxstStackRefCodes[] = {B, 1, L, L, S, S, E};
const bs_code kTxstStackHeaderCodes[] = {B, 1, S, 2, E};
const bs_code kTxstTexHeaderCodes[] = {B, 1, L, L, 4, S, S, S, S, S, S, S, S, E};

} // namespace zephane
