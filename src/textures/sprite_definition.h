#pragma once
// The sprite definition tag ('spri'): a camera-facing animated billboard. A 28-byte header,
// a pool of frames (each a quadrilateral cut from a texture stack), then up to eight
// sequences, each an ordered list of entries (frame, ticks, colour, rotation, sound, scale).
// Payloads are big-endian; the records are converted with the descriptors below.

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

inline constexpr tag_type kSpriteTagType = fourcc("spri");
inline constexpr std::int32_t MAX_SPRITE_FRAMES = 256;
inline constexpr std::int32_t MAX_SPRITE_SEQUENCES = 8;
inline constexpr std::int32_t MAX_SPRITE_SEQUENCE_ENTRIES = 256;
inline constexpr std::size_t kSpriteHeaderSize = 28;
inline constexpr std::size_t kSpriteFrameSize = 128;
inline constexpr std::size_t kSpriteSequenceSize = 40;
inline constexpr std::size_t kSpriteEntrySize = 36; // the six arrays' bytes per entry
// Bytes of a frame the modified test compares (the preview reference and the unswapped
// bytes after it are not the user's).
inline constexpr std::size_t kSpriteFrameComparedSize = 108;
inline constexpr std::uint32_t kSpriteDiesAtEndOfSequence = 1; // type flags bit 0

enum sprite_sequence_mode : std::int32_t {
    kSpriteLoopsForever = 1,
    kSpriteLoopsFinite = 2,
    kSpriteExpiresByTime = 4,
};

struct sprite_definition_header {
    std::int32_t num_frames;
    std::int32_t num_sequences;
    std::int32_t field_8; // carried over unchanged
    std::uint32_t type_flags;
    std::uint8_t unswapped_16[4];
    std::uint32_t frames_reference;    // memory only, stored as zero
    std::uint32_t sequences_reference; // memory only, stored as zero
};
static_assert(sizeof(sprite_definition_header) == kSpriteHeaderSize);

struct sprite_point {
    float x;
    float y;
};

struct sprite_frame {
    sprite_point corners[4];    // positions of corners 0–3
    sprite_point tex_coords[4]; // u, v of corners 0–3
    std::int32_t field_64[4];   // carried over unchanged
    std::int32_t field_80[2];
    std::int32_t field_88[2];
    tag_id texture_stack; // 'txst'
    std::int32_t stack_index;
    std::int32_t texture_index;
    std::uint32_t preview_reference; // memory only, cleared on read, stored as zero
    std::uint8_t unswapped_112[16];  // kept as read
};
static_assert(sizeof(sprite_frame) == kSpriteFrameSize);
static_assert(offsetof(sprite_frame, texture_stack) == 96);
static_assert(offsetof(sprite_frame, preview_reference) == kSpriteFrameComparedSize);

struct sprite_sequence {
    std::int32_t num_entries;
    std::int32_t probability; // "Prb:"
    std::int32_t time;        // "Time:"
    std::int32_t mode;        // sprite_sequence_mode
    std::uint32_t array_references[6]; // memory only, stored as zero
};
static_assert(sizeof(sprite_sequence) == kSpriteSequenceSize);

// One entry of a sequence: an element of each of its six arrays.
struct SpriteEntry {
    std::int32_t frame = 0; // index into the frame pool
    std::int32_t ticks = 0;
    std::array<float, 4> color{}; // red, green, blue, alpha
    float rotation = 0;
    tag_id sound = kNoTag; // 'soun'
    float scale = 0;
    bool operator==(const SpriteEntry&) const = default;
};

struct SpriteSequence {
    sprite_sequence record{};
    std::vector<SpriteEntry> entries; // at most MAX_SPRITE_SEQUENCE_ENTRIES
};

struct SpriteDefinition {
    sprite_definition_header header{};
    std::vector<sprite_frame> frames;       // at most MAX_SPRITE_FRAMES
    std::vector<SpriteSequence> sequences;  // at most MAX_SPRITE_SEQUENCES
};

extern const bs_code sprite_definition_bs_codes[]; // "std"
extern const bs_code sprite_frame_bs_codes[];      // "sfd"
extern const bs_code sprite_sequence_bs_codes[];   // "ssd"

// 28 + 128·F + 40·S + 36·Σ L(i).
std::size_t sprite_payload_size(const SpriteDefinition& definition);

// Reads a payload, refusing (FormatError naming the field and byte) more than 256 frames or 8
// sequences, a sequence of more than 256 entries, a negative count, and a payload whose size
// does not match its counts. Memory-only references read as zero.
SpriteDefinition parse_sprite_payload(std::span<const std::uint8_t> payload);
// The payload: counts from the vectors, memory-only references zero, every other byte kept.
Payload build_sprite_payload(const SpriteDefinition& definition);

// The modified test: counts, type flags, the first 108 bytes of each frame, and each
// sequence's count, probability, time, mode and entries.
bool sprite_definitions_differ(const SpriteDefinition& a, const SpriteDefinition& b);

// Through the database: false with a reason when the payload cannot be loaded or is refused.
bool read_sprite_definition(TagDatabase& db, TagEntry& entry, SpriteDefinition& definition,
                            std::string* reason = nullptr);
void write_sprite_definition(TagDatabase& db, TagEntry& entry, const SpriteDefinition& definition);

} // namespace zephane
