// Arbitrary bytes as a sprite definition payload: read it, and when it is accepted, write it
// again, which must give the same bytes but for the memory-only references, and which the
// modified test must find equal to what was read.

#include "base/byte_reader.h"
#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    SpriteDefinition d;
    try {
        d = parse_sprite_payload(std::span<const std::uint8_t>(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    std::vector<std::uint8_t> expected(data, data + size);
    const auto zero = [&](std::size_t at, std::size_t count) {
        std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(at), count, 0);
    };
    zero(20, 8);
    for (std::size_t i = 0; i < d.frames.size(); ++i) zero(kSpriteHeaderSize + kSpriteFrameSize * i + 108, 4);
    const std::size_t sequences = kSpriteHeaderSize + kSpriteFrameSize * d.frames.size();
    for (std::size_t i = 0; i < d.sequences.size(); ++i) zero(sequences + kSpriteSequenceSize * i + 16, 24);
    const std::vector<std::uint8_t> written = build_sprite_payload(d);
    if (written != expected) std::abort();
    if (sprite_definitions_differ(d, parse_sprite_payload(written))) std::abort();

    // The editor's commands keep the definition writable.
    if (!d.frames.empty() && !d.sequences.empty()) {
        (void)append_sequence_entry(d, 0, 0);
        (void)duplicate_sprite_frame(d, 0);
        (void)remove_sprite_frame(d, d.frames.size() - 1);
        (void)parse_sprite_payload(build_sprite_payload(d));
    }
    return 0;
}
