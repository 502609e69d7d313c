#include "definitions/ui/animation_popup.h"

#include "app/editor_page.h"
#include "app/tag_edit_form.h"
#include "skeletal/animation_state_names.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zephane {

ModelStateNames model_states_or_none(TagDatabase& db, tag_id model) {
    // No model at all: nothing is missing, there is only the first entry.
    return is_null_reference(model) ? ModelStateNames{} : skeletal_model_state_names(db, model);
}

void AnimationPopup::load(const ModelStateNames& states, std::uint64_t source) {
    source_ = source;
    const QSignalBlocker quiet(popup_);
    popup_.clear();
    has_names_ = !states.problem;
    if (!has_names_) {
        popup_.addItem(QString::fromLatin1(states.problem));
        return;
    }
    popup_.addItem(QString::fromLatin1(first_));
    for (const std::string& name : states.names) popup_.addItem(QString::fromStdString(name));
}

void AnimationPopup::fill(const ModelStateNames& names, std::uint64_t source, std::int32_t stored) {
    load(names, source);
    stored_ = stored;
    const QSignalBlocker quiet(popup_);
    const int index = stored + 1;
    shown_index_ = has_names_ && index >= 0 && index < popup_.count() ? index : -1;
    popup_.setCurrentIndex(has_names_ ? shown_index_ : 0);
}

void AnimationPopup::refill(const ModelStateNames& names, std::uint64_t source) {
    const int position = popup_.currentIndex();
    const std::int32_t kept = value();
    load(names, source);
    const QSignalBlocker quiet(popup_);
    if (!has_names_ || position < 0) {
        // Nothing was shown to keep a position of: the value stays, shown if it can be.
        stored_ = kept;
        const int index = kept + 1;
        shown_index_ = has_names_ && index >= 0 && index < popup_.count() ? index : -1;
        popup_.setCurrentIndex(has_names_ ? shown_index_ : 0);
        return;
    }
    const int index = position < popup_.count() ? position : 0;
    popup_.setCurrentIndex(index);
    // The position is now the choice: it reads as what it shows.
    stored_ = index - 1;
    shown_index_ = index;
}

std::int32_t AnimationPopup::value() const {
    if (!has_names_ || popup_.currentIndex() == shown_index_ || popup_.currentIndex() < 0) return stored_;
    return popup_.currentIndex() - 1;
}

void add_animation_popup(TTagEditForm& editor, EditorPage& page, int id, AnimationPopup& popup,
                         const char* label, const char* group) {
    popup.box().setSizeAdjustPolicy(QComboBox::AdjustToContents);
    editor.register_control(id, &popup.box());
    page.add_row(label, &popup.box(), group);
}

} // namespace zephane
