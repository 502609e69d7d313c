#pragma once
// The ground sprites tag ('grsp'): four sprite sets scattered over a map's ground, each with
// a sprite definition, a density and a mask file taken over byte for byte. A 400-byte header
// of four 100-byte set records, then the masks of the sets in set order.

#include "base/byte_swap.h"
#include "tags/tag_code.h"
#include "tags/tag_database.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephane {

inline constexpr tag_type kGroundSpritesTagType = fourcc("grsp");
inline constexpr std::size_t kGroundSpriteSets = 4;
inline constexpr std::size_t kGroundSpriteSetSize = 100;
inline constexpr std::size_t kGroundSpritesHeaderSize = kGroundSpriteSets * kGroundSpriteSetSize;
inline constexpr std::size_t kMaskNameSize = 64; // 63 characters and the NUL

struct ground_sprite_set_record {
    tag_id sprite;              // 'spri'; −1 = none
    std::uint32_t mask_offset;  // from the start of the payload; 0 without a mask
    std::uint32_t mask_size;    // 0 = no mask
    std::uint32_t mask_reference; // memory only: written as zero, ignored on read
    std::int16_t density;
    std::uint8_t unswapped_18[18]; // carried over unchanged
    char mask_name[kMaskNameSize]; // NUL-terminated, zeros after the terminator
};
static_assert(sizeof(ground_sprite_set_record) == kGroundSpriteSetSize);
static_assert(offsetof(ground_sprite_set_record, density) == 16);
static_assert(offsetof(ground_sprite_set_record, mask_name) == 36);

// The four records, "ground sprite commit" when writing and "new ground sprite" for a new tag.
extern const bs_code ground_sprites_bs_codes[];

struct GroundSpriteSet {
    ground_sprite_set_record record{};
    std::vector<std::uint8_t> mask; // the mask file's bytes, owned by the editor
    bool has_mask() const { return !mask.empty(); }
};

struct GroundSprites {
    std::array<GroundSpriteSet, kGroundSpriteSets> sets{};
};

// 400 zero bytes but the four sprite ids, which are −1.
Payload new_ground_sprites_payload();

// Copies each set's mask (size bytes from its offset); a mask reaching past the payload, or
// a payload shorter than the header, is refused (FormatError naming the set and byte).
GroundSprites parse_ground_sprites(std::span<const std::uint8_t> payload);
// The commit: masks behind the header in set order from offset 400, names cleaned after
// their terminator, sets without a mask at offset and size 0, references zero. A layout past
// 4 GB is refused (UserError).
Payload commit_ground_sprites(const GroundSprites& sprites);

// The mask's file name up to its terminator.
std::string mask_name(const ground_sprite_set_record& record);
// The set takes the file's bytes and its name (cut to 63 characters).
void set_ground_sprite_mask(GroundSpriteSet& set, const std::string& name,
                            std::vector<std::uint8_t> bytes);
// No mask: bytes freed, name, offset and size cleared.
void clear_ground_sprite_mask(GroundSpriteSet& set);

} // namespace zephane
