#pragma once
// A popup of a skeletal model's animation states, as the editors of definitions that play a
// model's animations show it: a first entry ("None", "(None)", "(Static)") for the stored
// value −1, then the model's state names; the single entry "(model missing)" or "(model
// damaged)" when the model cannot give them; only the first entry when no model is named. The
// popup shows stored value + 1.
//
// While the popup shows what it was filled with, or holds no names to choose from, reading it
// gives back the stored value: a value past the model's states, or one the popup could not
// show, is never replaced by what the popup happens to show.

#include "tags/tag_code.h"

#include <cstdint>

class QComboBox;

namespace zephane {

class TagDatabase;

class AnimationPopup {
public:
    AnimationPopup(QComboBox& popup, const char* first) : popup_(popup), first_(first) {}

    // Fills the popup from the model and shows the stored value.
    void fill(TagDatabase& db, tag_id model, std::int32_t stored);
    // Another model was picked: its names, keeping the popup's current position.
    void refill(TagDatabase& db, tag_id model);
    tag_id model() const { return model_; }
    QComboBox& box() const { return popup_; }
    std::int32_t value() const;

private:
    void load(TagDatabase& db, tag_id model);

    QComboBox& popup_;
    const char* first_;
    tag_id model_ = kNoTag;
    std::int32_t stored_ = -1;
    int shown_index_ = -1;
    bool has_names_ = false;
};

} // namespace zephane
