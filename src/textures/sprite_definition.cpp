#include "textures/sprite_definition.h"

#include "base/byte_reader.h"
#include "base/errors.h"

#include <bit>
#include <cstring>

namespace zephane {

// clang-format off
const bs_code sprite_definition_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32, // frames, sequences, field 8, type flags
    4,                                          // kept as read
    BS_SWAP32, BS_SWAP32,                       // memory-only references
    BS_GROUP_END};

const bs_code sprite_frame_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_GROUP_BEGIN, 16, BS_SWAP32, BS_GROUP_END, // corners and texture coordinates
    BS_GROUP_BEGIN, 8, BS_SWAP32, BS_GROUP_END,  // fields 64 to 95
    BS_SWAP32, BS_SWAP32, BS_SWAP32,             // texture stack, stack index, texture index
    BS_SWAP32,                                   // preview reference
    16,                                          // kept as read
    BS_GROUP_END};

const bs_code sprite_sequence_bs_codes[] = {
    BS_GROUP_BEGIN, 1,
    BS_SWAP32, BS_SWAP32, BS_SWAP32, BS_SWAP32,  // entries, probability, time, mode
    BS_GROUP_BEGIN, 6, BS_SWAP32, BS_GROUP_END,  // array references
    BS_GROUP_END};
// clang-format on

namespace {

constexpr const char* kModule = "sprite_definition";

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

void check_count(const ByteReader& r, std::size_t offset, const char* field, std::int32_t count,
                 std::int32_t maximum, const char* what) {
    if (count < 0 || count > maximum)
        r.fail_at(offset, field,
                  "is " + std::to_string(count) + "; a " + what + " 0 to " + std::to_string(maximum));
}

float load_float(ByteReader& r, const char* field) {
    return std::bit_cast<float>(r.u32(field));
}

void store_float(ByteWriter& w, float value) {
    w.u32(std::bit_cast<std::uint32_t>(value));
}

bool same_bits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool same_entry(const SpriteEntry& a, const SpriteEntry& b) {
    if (a.frame != b.frame || a.ticks != b.ticks || a.sound != b.sound) return false;
    for (std::size_t k = 0; k < 4; ++k)
        if (!same_bits(a.color[k], b.color[k])) return false;
    return same_bits(a.rotation, b.rotation) && same_bits(a.scale, b.scale);
}

} // namespace

std::size_t sprite_payload_size(const SpriteDefinition& d) {
    std::size_t size = kSpriteHeaderSize + kSpriteFrameSize * d.frames.size() +
                       kSpriteSequenceSize * d.sequences.size();
    for (const SpriteSequence& s : d.sequences) size += kSpriteEntrySize * s.entries.size();
    return size;
}

SpriteDefinition parse_sprite_payload(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    if (payload.size() < kSpriteHeaderSize)
        r.fail("sprite definition", "needs 28 bytes but the payload has " + number(payload.size()));
    SpriteDefinition d;
    d.header = read_record<sprite_definition_header>(r, "std", sprite_definition_bs_codes);
    check_count(r, offsetof(sprite_definition_header, num_frames), "num_frames", d.header.num_frames,
                MAX_SPRITE_FRAMES, "sprite has");
    check_count(r, offsetof(sprite_definition_header, num_sequences), "num_sequences",
                d.header.num_sequences, MAX_SPRITE_SEQUENCES, "sprite has");
    d.header.frames_reference = 0;
    d.header.sequences_reference = 0;

    const auto frames = static_cast<std::size_t>(d.header.num_frames);
    const auto sequences = static_cast<std::size_t>(d.header.num_sequences);
    r.require_elements(frames, kSpriteFrameSize, "sprite frames");
    d.frames.reserve(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        sprite_frame frame = read_record<sprite_frame>(r, "sfd", sprite_frame_bs_codes);
        frame.preview_reference = 0;
        d.frames.push_back(frame);
    }
    r.require_elements(sequences, kSpriteSequenceSize, "sprite sequences");
    d.sequences.resize(sequences);
    const std::size_t sequences_at = r.position();
    for (std::size_t i = 0; i < sequences; ++i) {
        SpriteSequence& s = d.sequences[i];
        s.record = read_record<sprite_sequence>(r, "ssd", sprite_sequence_bs_codes);
        check_count(r, sequences_at + kSpriteSequenceSize * i, "num_entries of a sequence",
                    s.record.num_entries, MAX_SPRITE_SEQUENCE_ENTRIES, "sequence has");
        for (std::uint32_t& reference : s.record.array_references) reference = 0;
    }
    for (SpriteSequence& s : d.sequences) {
        const auto n = static_cast<std::size_t>(s.record.num_entries);
        r.require_elements(n, kSpriteEntrySize, "sequence arrays");
        s.entries.resize(n);
        for (SpriteEntry& e : s.entries) e.frame = r.i32("sequence frames");
        for (SpriteEntry& e : s.entries) e.ticks = r.i32("sequence ticks");
        for (SpriteEntry& e : s.entries)
            for (float& c : e.color) c = load_float(r, "sequence colors");
        for (SpriteEntry& e : s.entries) e.rotation = load_float(r, "sequence rotations");
        for (SpriteEntry& e : s.entries) e.sound = r.u32("sequence sound tags");
        for (SpriteEntry& e : s.entries) e.scale = load_float(r, "sequence scales");
    }
    if (!r.at_end())
        r.fail("payload", number(r.remaining()) + " bytes follow the last sequence's arrays");
    return d;
}

Payload build_sprite_payload(const SpriteDefinition& definition) {
    ZEPHANE_CHECK(definition.frames.size() <= static_cast<std::size_t>(MAX_SPRITE_FRAMES),
                  "def->num_frames <= MAX_SPRITE_FRAMES", kModule);
    ZEPHANE_CHECK(definition.sequences.size() <= static_cast<std::size_t>(MAX_SPRITE_SEQUENCES),
                  "def->num_sequences <= MAX_SPRITE_SEQUENCES", kModule);
    const std::size_t size = sprite_payload_size(definition);
    ZEPHANE_CHECK(size > 0, "size > 0", kModule);
    ByteWriter w;
    w.buffer().reserve(size);

    sprite_definition_header header = definition.header;
    header.num_frames = static_cast<std::int32_t>(definition.frames.size());
    header.num_sequences = static_cast<std::int32_t>(definition.sequences.size());
    header.frames_reference = 0;
    header.sequences_reference = 0;
    std::vector<std::uint8_t>& out = w.buffer();
    out.resize(kSpriteHeaderSize);
    store_record(out, 0, header, "std", sprite_definition_bs_codes);
    for (sprite_frame frame : definition.frames) {
        frame.preview_reference = 0;
        const std::size_t at = out.size();
        out.resize(at + kSpriteFrameSize);
        store_record(out, at, frame, "sfd", sprite_frame_bs_codes);
    }
    for (const SpriteSequence& s : definition.sequences) {
        ZEPHANE_CHECK(s.entries.size() <= static_cast<std::size_t>(MAX_SPRITE_SEQUENCE_ENTRIES),
                      "sequence->num_entries <= MAX_SPRITE_SEQUENCE_ENTRIES", kModule);
        sprite_sequence record = s.record;
        record.num_entries = static_cast<std::int32_t>(s.entries.size());
        for (std::uint32_t& reference : record.array_references) reference = 0;
        const std::size_t at = out.size();
        out.resize(at + kSpriteSequenceSize);
        store_record(out, at, record, "ssd", sprite_sequence_bs_codes);
    }
    for (const SpriteSequence& s : definition.sequences) {
        for (const SpriteEntry& e : s.entries) w.u32(static_cast<std::uint32_t>(e.frame));
        for (const SpriteEntry& e : s.entries) w.u32(static_cast<std::uint32_t>(e.ticks));
        for (const SpriteEntry& e : s.entries)
            for (float c : e.color) store_float(w, c);
        for (const SpriteEntry& e : s.entries) store_float(w, e.rotation);
        for (const SpriteEntry& e : s.entries) w.u32(e.sound);
        for (const SpriteEntry& e : s.entries) store_float(w, e.scale);
    }
    ZEPHANE_CHECK(w.size() == size, "data_written == size", kModule);
    return w.take();
}

bool sprite_definitions_differ(const SpriteDefinition& a, const SpriteDefinition& b) {
    if (a.frames.size() != b.frames.size() || a.sequences.size() != b.sequences.size() ||
        a.header.type_flags != b.header.type_flags)
        return true;
    for (std::size_t i = 0; i < a.frames.size(); ++i)
        if (std::memcmp(&a.frames[i], &b.frames[i], kSpriteFrameComparedSize) != 0) return true;
    for (std::size_t i = 0; i < a.sequences.size(); ++i) {
        const SpriteSequence& x = a.sequences[i];
        const SpriteSequence& y = b.sequences[i];
        if (x.entries.size() != y.entries.size() || x.record.probability != y.record.probability ||
            x.record.time != y.record.time || x.record.mode != y.record.mode)
            return true;
        for (std::size_t k = 0; k < x.entries.size(); ++k)
            if (!same_entry(x.entries[k], y.entries[k])) return true;
    }
    return false;
}

bool read_sprite_definition(TagDatabase& db, TagEntry& entry, SpriteDefinition& definition,
                            std::string* reason) {
    const Payload* payload = db.get_tag_data(entry);
    if (!payload) {
        if (reason) *reason = "the payload cannot be loaded";
        return false;
    }
    try {
        definition = parse_sprite_payload(*payload);
    } catch (const FormatError& e) {
        if (reason) *reason = e.what();
        return false;
    }
    return true;
}

void write_sprite_definition(TagDatabase& db, TagEntry& entry, const SpriteDefinition& definition) {
    db.set_tag_data(entry, build_sprite_payload(definition));
}

} // namespace zephane
