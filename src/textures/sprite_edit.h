#pragma once
// The sprite editor's commands on a definition, with their limits: frames of the pool
// (add, remove, duplicate), sequences (new, delete the last) and sequence entries (append a
// pool frame, remove). The window only chooses what they act on.

#include "textures/sprite_definition.h"

#include <cstddef>
#include <string>

namespace zephane {

enum class SpriteChange {
    kDone,
    kFramesFull,    // 256 frames
    kSequencesFull, // 8 sequences
    kEntriesFull,   // 256 entries in the sequence
    kNoSuchFrame,
    kNoSuchSequence,
    kNoSuchEntry,
    kFrameInUse,    // a sequence entry shows the frame
};

std::string sprite_change_message(SpriteChange change);

// Corners (±0.15, ±0.15) and texture coordinates (0, 0) (1, 0) (1, 1) (0, 1); no texture stack.
sprite_frame new_sprite_frame();
// Probability 100, time 1, "Loops Finite", no entries.
SpriteSequence new_sprite_sequence();
// Ticks 250, colour (1, 1, 1, 1), rotation 0, no sound, scale 1.
SpriteEntry new_sprite_entry(std::int32_t frame);

SpriteChange add_sprite_frame(SpriteDefinition& d, const sprite_frame& frame);
// Appends a copy of the frame (its preview not copied).
SpriteChange duplicate_sprite_frame(SpriteDefinition& d, std::size_t frame);
// Refused while an entry shows the frame; entries showing later frames follow them down.
SpriteChange remove_sprite_frame(SpriteDefinition& d, std::size_t frame);
SpriteChange append_sprite_sequence(SpriteDefinition& d);
SpriteChange delete_last_sprite_sequence(SpriteDefinition& d);
SpriteChange append_sequence_entry(SpriteDefinition& d, std::size_t sequence, std::size_t frame);
SpriteChange remove_sequence_entry(SpriteDefinition& d, std::size_t sequence, std::size_t entry);

} // namespace zephane
