#include "tags/tag_file_format.h"

#include <zlib.h>

namespace zephane {

const bs_code kFileHeaderCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP16, BS_SWAP16, 32, 64,
                                    BS_SWAP16, BS_SWAP16, BS_SWAP32, BS_SWAP32, BS_SWAP32,
                                    BS_SWAP32, 4, BS_SWAP32, BS_GROUP_END};

const bs_code kEntryPointCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP32, 4, BS_SWAP32,
                                    32, 64, BS_GROUP_END};

std::uint32_t tag_crc(std::uint32_t crc_register, std::span<const std::uint8_t> bytes) {
    // zlib keeps the register inverted on both ends: its value is the complement of ours.
    uLong crc = ~crc_register & 0xFFFFFFFFu;
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
        crc = crc32(crc, p, chunk);
        p += chunk;
        left -= chunk;
    }
    return ~static_cast<std::uint32_t>(crc);
}

} // namespace zephane
