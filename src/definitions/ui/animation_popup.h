#pragma once
// A popup of a graphic's animation states or sequences, as the editors of definitions that
// play a model's animations show it: a first entry ("None", "(None)", "(Static)") for the
// stored value −1, then the names; the single entry the graphic reports ("(model missing)",
// "(model damaged)", "(Entry Not Found)") when it cannot give names. The popup shows stored
// value + 1.
//
// While the popup shows what it was filled with, or holds no names to choose from, reading it
// gives back the stored value: a value past the graphic's names, or one the popup could not
// show, is never replaced by what the popup happens to show.

#include "skeletal/animation_state_names.h"

#include <cstdint>

class QComboBox;

namespace zephane {

class EditorPage;
class TagDatabase;
class TTagEditForm;

// The states of a skeletal model; none (and no problem) when no model is named.
ModelStateNames model_states_or_none(TagDatabase& db, tag_id model);

class AnimationPopup {
public:
    AnimationPopup(QComboBox& popup, const char* first) : popup_(popup), first_(first) {}

    // Fills the popup with the names of the graphic `source` stands for, showing the stored
    // value.
    void fill(const ModelStateNames& names, std::uint64_t source, std::int32_t stored);
    // Another graphic was picked: its names, keeping the popup's current position.
    void refill(const ModelStateNames& names, std::uint64_t source);
    std::uint64_t source() const { return source_; }
    QComboBox& box() const { return popup_; }
    std::int32_t value() const;

private:
    void load(const ModelStateNames& names, std::uint64_t source);

    QComboBox& popup_;
    const char* first_;
    std::uint64_t source_ = 0;
    std::int32_t stored_ = -1;
    int shown_index_ = -1;
    bool has_names_ = false;
};

// Registers the popup under its id in the editor and adds it as a labelled row of the group.
void add_animation_popup(TTagEditForm& editor, EditorPage& page, int id, AnimationPopup& popup,
                         const char* label, const char* group);

} // namespace zephane
