#include "definitions/ui/animation_popup.h"

#include "skeletal/animation_state_names.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zephane {

void AnimationPopup::load(TagDatabase& db, tag_id model) {
    model_ = model;
    const QSignalBlocker quiet(popup_);
    popup_.clear();
    // No model at all: nothing is missing, there is only the first entry.
    const ModelStateNames states =
        is_null_reference(model) ? ModelStateNames{} : skeletal_model_state_names(db, model);
    has_names_ = !states.problem;
    if (!has_names_) {
        popup_.addItem(QString::fromLatin1(states.problem));
        return;
    }
    popup_.addItem(QString::fromLatin1(first_));
    for (const std::string& name : states.names) popup_.addItem(QString::fromStdString(name));
}

void AnimationPopup::fill(TagDatabase& db, tag_id model, std::int32_t stored) {
    load(db, model);
    stored_ = stored;
    const QSignalBlocker quiet(popup_);
    const int index = stored + 1;
    shown_index_ = has_names_ && index >= 0 && index < popup_.count() ? index : -1;
    popup_.setCurrentIndex(has_names_ ? shown_index_ : 0);
}

void AnimationPopup::refill(TagDatabase& db, tag_id model) {
    const int position = popup_.currentIndex();
    const std::int32_t kept = value();
    load(db, model);
    const QSignalBlocker quiet(popup_);
    if (!has_names_) {
        stored_ = kept;
        shown_index_ = -1;
        popup_.setCurrentIndex(0);
        return;
    }
    const int index = position >= 0 && position < popup_.count() ? position : 0;
    popup_.setCurrentIndex(index);
    // The position is now the choice: it reads as what it shows.
    stored_ = index - 1;
    shown_index_ = index;
}

std::int32_t AnimationPopup::value() const {
    if (!has_names_ || popup_.currentIndex() == shown_index_ || popup_.currentIndex() < 0) return stored_;
    return popup_.currentIndex() - 1;
}

} // namespace zephane
