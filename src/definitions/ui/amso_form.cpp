// The ambient sound editor. One sound button serves both sound fields: "Is a Random Sound"
// says which of them holds the sound, the other holds none.

#include "definitions/ui/amso_form.h"

#include "app/definition_edit_form.h"
#include "app/value_controls.h"
#include "definitions/amso.h"
#include "definitions/amso_bindings.h"

namespace zephane {

namespace {

using namespace amso_bindings;

using A = ambient_sound_definition;

constexpr EditorGroup kGroups[] = {{kSound, 0}, {kRadii, 0}};

constexpr int kSoundButton = 10001;
constexpr int kOpenSound = 10002;
constexpr int kRandom = 10003;

class TamsoEditForm : public DefinitionEditForm<A> {
public:
    TamsoEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1000, "Ambient Sound Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        page.add_reference(kSoundButton, kOpenSound, fourcc("soun"), "Sound Tag:", kSound);
        page.add_check(kRandom, "Is a Random Sound", kSound);
        build_page(page);
        page.finish();
    }

protected:
    void after_fill() override {
        const A& a = record();
        shown_continuous_ = a.continuous_sound;
        shown_random_ = a.random_sound;
        shown_as_random_ = a.continuous_sound == kNoTag;
        set_boolean(kRandom, shown_as_random_);
        set_tag_reference(kSoundButton, fourcc("soun"),
                          shown_as_random_ ? a.random_sound : a.continuous_sound);
    }

    void read_controls() override {
        DefinitionEditForm::read_controls();
        auto* button = qobject_cast<TagReferenceButton*>(find_control(kSoundButton));
        if (!button) return;
        A& a = copy();
        const bool random = get_boolean(kRandom);
        if (random == shown_as_random_ && !button->chosen()) {
            // Untouched: both fields as they were, even a pair this editor cannot show.
            a.continuous_sound = shown_continuous_;
            a.random_sound = shown_random_;
            return;
        }
        const tag_id sound = button->stored_id();
        a.continuous_sound = random ? kNoTag : sound;
        a.random_sound = random ? sound : kNoTag;
    }

private:
    tag_id shown_continuous_ = kNoTag;
    tag_id shown_random_ = kNoTag;
    bool shown_as_random_ = false;
};

} // namespace

void register_ambient_sound_editor() {
    attach_editor_window<TamsoEditForm>(A::kType);
}

} // namespace zephane
