#include "textures/sprite_edit.h"

#include <iterator>

namespace zephane {

namespace {

bool full(std::size_t size, std::int32_t maximum) {
    return size >= static_cast<std::size_t>(maximum);
}

} // namespace

std::string sprite_change_message(SpriteChange change) {
    switch (change) {
    case SpriteChange::kDone: return {};
    case SpriteChange::kFramesFull: return "A sprite definition holds at most 256 frames.";
    case SpriteChange::kSequencesFull: return "A sprite definition holds at most 8 sequences.";
    case SpriteChange::kEntriesFull: return "A sequence holds at most 256 frames.";
    case SpriteChange::kNoSuchFrame: return "No frame is selected.";
    case SpriteChange::kNoSuchSequence: return "No sequence is selected.";
    case SpriteChange::kNoSuchEntry: return "No frame of the sequence is selected.";
    case SpriteChange::kFrameInUse:
        return "The frame is shown by a sequence; remove it from the sequences first.";
    }
    return {};
}

sprite_frame new_sprite_frame() {
    sprite_frame f{};
    const float q = 0.15f;
    f.corners[0] = {-q, -q};
    f.corners[1] = {q, -q};
    f.corners[2] = {q, q};
    f.corners[3] = {-q, q};
    f.tex_coords[0] = {0, 0};
    f.tex_coords[1] = {1, 0};
    f.tex_coords[2] = {1, 1};
    f.tex_coords[3] = {0, 1};
    f.texture_stack = kNoTag;
    return f;
}

SpriteSequence new_sprite_sequence() {
    SpriteSequence s;
    s.record.probability = 100;
    s.record.time = 1;
    s.record.mode = kSpriteLoopsFinite;
    return s;
}

SpriteEntry new_sprite_entry(std::int32_t frame) {
    SpriteEntry e;
    e.frame = frame;
    e.ticks = 250;
    e.color = {1, 1, 1, 1};
    e.rotation = 0;
    e.sound = kNoTag;
    e.scale = 1;
    return e;
}

SpriteChange add_sprite_frame(SpriteDefinition& d, const sprite_frame& frame) {
    if (full(d.frames.size(), MAX_SPRITE_FRAMES)) return SpriteChange::kFramesFull;
    d.frames.push_back(frame);
    d.frames.back().preview_reference = 0;
    return SpriteChange::kDone;
}

SpriteChange duplicate_sprite_frame(SpriteDefinition& d, std::size_t frame) {
    if (frame >= d.frames.size()) return SpriteChange::kNoSuchFrame;
    const sprite_frame copy = d.frames[frame];
    return add_sprite_frame(d, copy);
}

SpriteChange remove_sprite_frame(SpriteDefinition& d, std::size_t frame) {
    if (frame >= d.frames.size()) return SpriteChange::kNoSuchFrame;
    const auto removed = static_cast<std::int32_t>(frame);
    for (const SpriteSequence& s : d.sequences)
        for (const SpriteEntry& e : s.entries)
            if (e.frame == removed) return SpriteChange::kFrameInUse;
    d.frames.erase(d.frames.begin() + static_cast<std::ptrdiff_t>(frame));
    // Entries keep showing the frame they showed.
    for (SpriteSequence& s : d.sequences)
        for (SpriteEntry& e : s.entries)
            if (e.frame > removed) --e.frame;
    return SpriteChange::kDone;
}

SpriteChange append_sprite_sequence(SpriteDefinition& d) {
    if (full(d.sequences.size(), MAX_SPRITE_SEQUENCES)) return SpriteChange::kSequencesFull;
    d.sequences.push_back(new_sprite_sequence());
    return SpriteChange::kDone;
}

SpriteChange delete_last_sprite_sequence(SpriteDefinition& d) {
    if (d.sequences.empty()) return SpriteChange::kNoSuchSequence;
    d.sequences.pop_back();
    return SpriteChange::kDone;
}

SpriteChange append_sequence_entry(SpriteDefinition& d, std::size_t sequence, std::size_t frame) {
    if (sequence >= d.sequences.size()) return SpriteChange::kNoSuchSequence;
    if (frame >= d.frames.size()) return SpriteChange::kNoSuchFrame;
    std::vector<SpriteEntry>& entries = d.sequences[sequence].entries;
    if (full(entries.size(), MAX_SPRITE_SEQUENCE_ENTRIES)) return SpriteChange::kEntriesFull;
    entries.push_back(new_sprite_entry(static_cast<std::int32_t>(frame)));
    return SpriteChange::kDone;
}

SpriteChange remove_sequence_entry(SpriteDefinition& d, std::size_t sequence, std::size_t entry) {
    if (sequence >= d.sequences.size()) return SpriteChange::kNoSuchSequence;
    std::vector<SpriteEntry>& entries = d.sequences[sequence].entries;
    if (entry >= entries.size()) return SpriteChange::kNoSuchEntry;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(entry));
    return SpriteChange::kDone;
}

} // namespace zephane
