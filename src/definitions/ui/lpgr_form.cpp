// The local projectile group editor: the graphic (a skeletal model, a sprite or a collection
// by "Use Skel Model" and "Use Sprite"), physics, chained group and light, the particles'
// ranges, the transitions, and the sequence popups filled from the graphic.

#include "definitions/ui/lpgr_form.h"

#include "app/definition_edit_form.h"
#include "app/value_controls.h"
#include "definitions/lpgr.h"
#include "definitions/lpgr_bindings.h"
#include "definitions/ui/animation_popup.h"
#include "tags/tag_database.h"

#include <QComboBox>

namespace zephane {

namespace {

using namespace lpgr_bindings;
using G = local_projectile_group_definition;

constexpr EditorGroup kGroups[] = {{kGraphic, 0}, {kParticles, 0}, {kMotion, 0},
                                   {kStartup, 1}, {kEnding, 1},    {kTiming, 1}, {kFlags, 2}};

// Collections and sprites give their sequences no names: five numbered ones stand for them.
const std::vector<std::string> kPlaceholderSequences = {"Sequence 0", "Sequence 1", "Sequence 2",
                                                        "Sequence 3", "Sequence 4"};

tag_type graphic_type(bool skeletal, bool sprite) {
    // A group with both bits set uses the skeletal model.
    return skeletal ? fourcc("skmd") : sprite ? fourcc("spri") : fourcc("core");
}

class TlpgrEditForm : public DefinitionEditForm<G> {
public:
    TlpgrEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1009, "Local Projectile Group", db, tag, kBindings),
          flight_(*new QComboBox(content()), "(Static)"),
          stain_(*new QComboBox(content()), "(Static)") {
        EditorPage page(*this, kGroups);
        build_page(page);
        add_animation_popup(*this, page, kFlightSequence, flight_, "Flight Sequence:", kGraphic);
        add_animation_popup(*this, page, kStainSequence, stain_, "Stain Sequence:", kGraphic);
        page.finish();
    }

    void contents_changed() override {
        if (!filling() && !following_) {
            following_ = true;
            follow_graphic();
            following_ = false;
        }
        DefinitionEditForm::contents_changed();
    }

protected:
    void after_fill() override {
        const G& g = record();
        const tag_type type = shown_graphic_type();
        const ModelStateNames names = sequence_names(type, g.graphic);
        flight_.fill(names, source_of(type, g.graphic), g.flight_sequence);
        stain_.fill(names, source_of(type, g.graphic), g.stain_sequence);
    }

    void read_controls() override {
        DefinitionEditForm::read_controls();
        copy().flight_sequence = static_cast<std::int16_t>(flight_.value());
        copy().stain_sequence = static_cast<std::int16_t>(stain_.value());
    }

private:
    static std::uint64_t source_of(tag_type type, tag_id id) { return std::uint64_t{type} << 32 | id; }

    tag_type shown_graphic_type() const {
        return graphic_type(get_boolean(kUseSkelModel), get_boolean(kUseSprite));
    }

    ModelStateNames sequence_names(tag_type type, tag_id id) {
        if (is_null_reference(id)) return {};
        if (!database().find_tag(type, id)) return {{}, "(Entry Not Found)"};
        if (type == fourcc("skmd")) return skeletal_model_state_names(database(), id);
        return {kPlaceholderSequences, nullptr};
    }

    // "Use Skel Model" and "Use Sprite" relabel the graphic, keeping its identifier; a new
    // graphic or type brings its own sequence names.
    void follow_graphic() {
        auto* button = qobject_cast<TagReferenceButton*>(find_control(kGraphicButton));
        if (!button) return;
        const tag_type type = shown_graphic_type();
        const tag_id id = get_tag_reference(kGraphicButton);
        if (button->type() != type) set_tag_reference(kGraphicButton, type, id);
        const std::uint64_t source = source_of(type, id);
        if (flight_.source() == source) return;
        const ModelStateNames names = sequence_names(type, id);
        flight_.refill(names, source);
        stain_.refill(names, source);
    }

    AnimationPopup flight_;
    AnimationPopup stain_;
    bool following_ = false;
};

} // namespace

void register_local_projectile_group_editor() { attach_editor_window<TlpgrEditForm>(G::kType); }

} // namespace zephane
