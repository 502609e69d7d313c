#include "tags/tag_file_format.h"

#include <algorithm>
#include <libdeflate.h>

namespace zephane {

const bs_code kFileHeaderCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, 32, 64,
                                    BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_SWAP32, BS_SWAP32,
                                    BS_SWAP32, 4, BS_SWAP32, BS_GROUP_END};

const bs_code kEntryPointCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP32, 4, BS_SWAP32,
                                    32, 64, BS_GROUP_END};

std::uint32_t tag_crc(std::uint32_t crc_register, std::span<const std::uint8_t> bytes) {
    // The usual CRC-32 keeps the register inverted on both ends: its value is the complement
    // of ours. libdeflate computes it with carry-less multiplication where the CPU has it.
    // An empty (possibly null) buffer must not reach the library: a null buffer asks it for
    // its initial value instead of continuing the register.
    if (bytes.empty()) return crc_register;
    return ~libdeflate_crc32(~crc_register, bytes.data(), bytes.size());
}

} // namespace zephane
