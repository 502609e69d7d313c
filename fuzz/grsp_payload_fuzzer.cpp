// Arbitrary bytes as a ground sprites payload: read it, and when it is accepted, commit it.
// The commit must give the header as read (references zero, names cleaned behind their
// terminator, offsets assigned from 400 in set order, sets without a mask at 0 and 0)
// followed by every mask's bytes as they were.

#include "base/byte_reader.h"
#include "textures/grsp_payload.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    GroundSprites sprites;
    try {
        sprites = parse_ground_sprites(std::span<const std::uint8_t>(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    std::vector<std::uint8_t> expected(data, data + kGroundSpritesHeaderSize);
    std::vector<std::uint8_t> masks;
    std::uint32_t at = kGroundSpritesHeaderSize;
    for (std::size_t s = 0; s < kGroundSpriteSets; ++s) {
        std::uint8_t* record = expected.data() + kGroundSpriteSetSize * s;
        const std::uint32_t offset = load_u32(record + 4), length = load_u32(record + 8);
        store_u32(record + 12, 0);
        if (length == 0) {
            store_u32(record + 4, 0);
            continue;
        }
        char* name = reinterpret_cast<char*>(record + 36);
        const std::size_t used = std::min<std::size_t>(strnlen(name, kMaskNameSize), kMaskNameSize - 1);
        std::memset(name + used, 0, kMaskNameSize - used);
        store_u32(record + 4, at);
        at += length;
        masks.insert(masks.end(), data + offset, data + offset + length);
    }
    expected.insert(expected.end(), masks.begin(), masks.end());
    const std::vector<std::uint8_t> committed = commit_ground_sprites(sprites);
    if (committed != expected) std::abort();
    // A committed payload is its own commit.
    if (commit_ground_sprites(parse_ground_sprites(committed)) != committed) std::abort();
    return 0;
}
