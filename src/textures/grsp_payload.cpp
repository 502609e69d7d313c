#include "textures/grsp_payload.h"

#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zephane {

// clang-format off
const bs_code ground_sprites_bs_codes[] = {
    BS_GROUP_BEGIN, static_cast<bs_code>(kGroundSpriteSets),
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, // sprite, mask offset, size, reference
    BS_SWAP16,                                  // density
    18,                                         // carried over
    static_cast<bs_code>(kMaskNameSize),        // mask file name
    BS_GROUP_END};
// clang-format on

namespace {

using Header = std::array<ground_sprite_set_record, kGroundSpriteSets>;
static_assert(sizeof(Header) == kGroundSpritesHeaderSize);

void store_header(Payload& out, Header header, const char* name) {
    byte_swap_data(name, header.data(), static_cast<long>(kGroundSpritesHeaderSize), 1,
                   ground_sprites_bs_codes);
    std::memcpy(out.data(), header.data(), kGroundSpritesHeaderSize);
}

} // namespace

Payload new_ground_sprites_payload() {
    Header header{};
    for (ground_sprite_set_record& set : header) set.sprite = kNoTag;
    Payload payload(kGroundSpritesHeaderSize);
    store_header(payload, header, "new ground sprite");
    return payload;
}

GroundSprites parse_ground_sprites(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    if (payload.size() < kGroundSpritesHeaderSize)
        r.fail("ground sprites", "need 400 bytes but the payload has " + std::to_string(payload.size()));
    const Header header = read_record<Header>(r, "ground sprite commit", ground_sprites_bs_codes);
    GroundSprites sprites;
    for (std::size_t i = 0; i < kGroundSpriteSets; ++i) {
        GroundSpriteSet& set = sprites.sets[i];
        set.record = header[i];
        set.record.mask_reference = 0;
        const ground_sprite_set_record& h = header[i];
        if (h.mask_size == 0) continue;
        const std::size_t at = kGroundSpriteSetSize * i;
        if (h.mask_offset > payload.size() || h.mask_size > payload.size() - h.mask_offset)
            r.fail_at(at + offsetof(ground_sprite_set_record, mask_size),
                      ("mask of sprite set " + std::to_string(i)).c_str(),
                      std::to_string(h.mask_size) + " bytes from offset " +
                          std::to_string(h.mask_offset) + " pass the payload's " +
                          std::to_string(payload.size()) + " bytes");
        const auto* begin = payload.data() + h.mask_offset;
        set.mask.assign(begin, begin + h.mask_size);
    }
    return sprites;
}

Payload commit_ground_sprites(const GroundSprites& sprites) {
    Header header{};
    std::uint64_t total = kGroundSpritesHeaderSize;
    for (std::size_t i = 0; i < kGroundSpriteSets; ++i) {
        const GroundSpriteSet& set = sprites.sets[i];
        ground_sprite_set_record& h = header[i];
        h = set.record;
        h.mask_reference = 0;
        if (!set.has_mask()) {
            h.mask_offset = 0;
            h.mask_size = 0;
            continue;
        }
        // Bytes after the name's terminator are zero.
        const std::string name = mask_name(h);
        copy_text(h.mask_name, kMaskNameSize, name);
        if (total + set.mask.size() > std::numeric_limits<std::uint32_t>::max())
            throw UserError("The masks of the ground sprites do not fit in one tag (4 GB).");
        h.mask_offset = static_cast<std::uint32_t>(total);
        h.mask_size = static_cast<std::uint32_t>(set.mask.size());
        total += set.mask.size();
    }
    Payload payload(static_cast<std::size_t>(total));
    store_header(payload, header, "ground sprite commit");
    for (std::size_t i = 0; i < kGroundSpriteSets; ++i)
        if (sprites.sets[i].has_mask())
            std::copy(sprites.sets[i].mask.begin(), sprites.sets[i].mask.end(),
                      payload.begin() + static_cast<std::ptrdiff_t>(header[i].mask_offset));
    return payload;
}

std::string mask_name(const ground_sprite_set_record& record) {
    const char* end = std::find(record.mask_name, record.mask_name + kMaskNameSize, '\0');
    if (end == record.mask_name + kMaskNameSize) --end; // an unterminated name keeps 63
    return std::string(record.mask_name, end);
}

void set_ground_sprite_mask(GroundSpriteSet& set, const std::string& name,
                            std::vector<std::uint8_t> bytes) {
    copy_text(set.record.mask_name, kMaskNameSize - 1, name);
    set.record.mask_name[kMaskNameSize - 1] = '\0';
    set.record.mask_size = static_cast<std::uint32_t>(bytes.size());
    set.mask = std::move(bytes);
}

void clear_ground_sprite_mask(GroundSpriteSet& set) {
    set.mask.clear();
    set.mask.shrink_to_fit();
    std::memset(set.record.mask_name, 0, kMaskNameSize);
    set.record.mask_offset = 0;
    set.record.mask_size = 0;
}

} // namespace zephane
