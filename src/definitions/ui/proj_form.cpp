// The projectile editor: the graphic (a skeletal model with "Use Skel Model", else a
// collection) and its three sequence popups, detonation, contrail ("Use Sprite instead of
// Projectile" makes it a sprite), motion, lifespan and delay, promotion, sounds, stains and the
// blood colour; "Edit Flags" (146) and "Edit Damage" (153) edit copies stored only on "OK".

#include "definitions/ui/proj_form.h"

#include "app/definition_edit_form.h"
#include "app/record_dialog.h"
#include "app/value_controls.h"
#include "definitions/proj.h"
#include "definitions/proj_bindings.h"
#include "definitions/ui/animation_popup.h"
#include "definitions/ui/damage_dialog.h"
#include "framework/xg_alert.h"
#include "tags/tag_database.h"

#include <QComboBox>
#include <QPushButton>

namespace zephane {

namespace {

using namespace proj_bindings;
using P = projectile_definition;

constexpr EditorGroup kGroups[] = {{nullptr, 0},    {kSequences, 0}, {kTiming, 0},  {kMotion, 0},
                                   {kDetonation, 1}, {kContrail, 1},  {kPromotion, 1}, {kSounds, 2},
                                   {kStains, 2},     {kBlood, 2}};
constexpr EditorGroup kFlagGroups[] = {{nullptr, 0}};

class TprojEditForm : public DefinitionEditForm<P> {
public:
    TprojEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1020, "Projectile Window", db, tag, kBindings),
          flight_(*new QComboBox(content()), "(None)"),
          debris_(*new QComboBox(content()), "(None)"),
          bounce_(*new QComboBox(content()), "(None)") {
        EditorPage page(*this, kGroups);
        page.add_check(kUseSkelModel, "Use Skel Model", nullptr);
        page.add_check(kLifespanBox, "Lifespan:", kTiming);
        build_page(page);
        add_animation_popup(*this, page, kFlightSequence, flight_, "Flight:", kSequences);
        add_animation_popup(*this, page, kDebrisSequence, debris_, "Debris:", kSequences);
        add_animation_popup(*this, page, kBounceSequence, bounce_, "Bounce:", kSequences);
        QPushButton* flags = page.add_button(kEditFlags, "Edit Flags", nullptr);
        QPushButton* damage = page.add_button(kEditDamage, "Edit Damage", kDetonation);
        page.finish();
        connect(flags, &QPushButton::clicked, this, [this] { run_reporting_errors(this, [this] { edit_flags(); }); });
        connect(damage, &QPushButton::clicked, this, [this] {
            if (edit_damage(this, copy().damage)) contents_changed();
        });
    }

    void contents_changed() override {
        if (!filling() && !following_) {
            following_ = true;
            follow_types();
            following_ = false;
        }
        DefinitionEditForm::contents_changed();
    }

protected:
    void after_fill() override {
        const P& p = record();
        shown_marker_ = p.skeletal_marker;
        set_boolean(kUseSkelModel, p.skeletal_marker == kSkeletalMarker);
        set_boolean(kLifespanBox, p.lifespan_lower != 0);
        const tag_type type = graphic_type();
        const ModelStateNames names = sequence_names(type, p.graphic);
        const std::uint64_t source = source_of(type, p.graphic);
        flight_.fill(names, source, p.flight_sequence);
        debris_.fill(names, source, p.debris_sequence);
        bounce_.fill(names, source, p.bounce_sequence);
    }

    void read_controls() override {
        DefinitionEditForm::read_controls();
        P& p = copy();
        if (!is_untouched(kUseSkelModel))
            p.skeletal_marker = get_boolean(kUseSkelModel) ? kSkeletalMarker : std::int16_t{0};
        else
            p.skeletal_marker = shown_marker_;
        // "Lifespan:" switched off stores no lifespan; left as it was, the edits say.
        if (!get_boolean(kLifespanBox) && !is_untouched(kLifespanBox)) {
            p.lifespan_lower = 0;
            p.lifespan_span = 0;
        }
        p.flight_sequence = static_cast<std::int16_t>(flight_.value());
        p.debris_sequence = static_cast<std::int16_t>(debris_.value());
        p.bounce_sequence = static_cast<std::int16_t>(bounce_.value());
    }

private:
    static std::uint64_t source_of(tag_type type, tag_id id) { return std::uint64_t{type} << 32 | id; }

    tag_type graphic_type() const { return get_boolean(kUseSkelModel) ? fourcc("skmd") : fourcc(".256"); }
    tag_type contrail_type() const { return get_boolean(kUseSprite) ? fourcc("spri") : fourcc("proj"); }

    // "(None)" comes first in every case; then the model's states, or one name saying why
    // there are none.
    ModelStateNames sequence_names(tag_type type, tag_id id) {
        if (is_null_reference(id)) return {};
        if (!database().find_tag(type, id)) return {{"(Entry Not Found)"}, nullptr};
        if (type != fourcc("skmd")) return {{"Collections Unsupported"}, nullptr};
        ModelStateNames states = skeletal_model_state_names(database(), id);
        if (states.problem) return {{states.problem}, nullptr};
        return states;
    }

    void relabel(int id, tag_type type) {
        auto* button = qobject_cast<TagReferenceButton*>(find_control(id));
        if (button && button->type() != type) set_tag_reference(id, type, get_tag_reference(id));
    }

    // The two boxes that choose reference types relabel their references, keeping the
    // identifiers; a new graphic or graphic type refills the sequences.
    void follow_types() {
        const tag_type type = graphic_type();
        relabel(kGraphic, type);
        relabel(kContrailTag, contrail_type());
        const tag_id graphic = get_tag_reference(kGraphic);
        const std::uint64_t source = source_of(type, graphic);
        if (flight_.source() == source) return;
        const ModelStateNames names = sequence_names(type, graphic);
        for (AnimationPopup* popup : {&flight_, &debris_, &bounce_}) popup->refill(names, source);
    }

    void edit_flags() {
        read_controls();
        RecordDialogForm form{kFlagsResource, kFlagsTitle, &P::kLayout, kFlagBindings, kFlagGroups, P::kModule};
        form.ok = kFlagsOk;
        form.cancel = kFlagsCancel;
        if (run_record_dialog(this, form, bytes())) contents_changed();
    }

    AnimationPopup flight_;
    AnimationPopup debris_;
    AnimationPopup bounce_;
    std::int16_t shown_marker_ = 0;
    bool following_ = false;
};

} // namespace

void register_projectile_editor() { attach_editor_window<TprojEditForm>(P::kType); }

} // namespace zephane
