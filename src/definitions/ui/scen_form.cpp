// The scenery editor: the object, projectile and recoloring, the impact and detonation
// groups, the netgame scoring, the undamaged and ruined skeletal models with their animation
// popups, and the sixteen flags. Flag bits without a box are kept as stored.

#include "definitions/ui/scen_form.h"

#include "app/definition_edit_form.h"
#include "definitions/scen.h"
#include "definitions/scen_bindings.h"
#include "definitions/ui/animation_popup.h"

#include <QComboBox>

namespace zephane {

namespace {

using namespace scen_bindings;

constexpr EditorGroup kGroupsLayout[] = {{nullptr, 0}, {kGroups, 0}, {kNetgame, 0}, {kUndamaged, 0},
                                         {kRuined, 0},  {kFlags, 1}};

class TscenEditForm : public DefinitionEditForm<scenery_definition> {
public:
    TscenEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1021, "Scenery Window", db, tag, kBindings),
          undamaged_(*new QComboBox(content()), "None"),
          ruined_(*new QComboBox(content()), "None") {
        EditorPage page(*this, kGroupsLayout);
        build_page(page);
        add_animation_popup(*this, page, kUndamagedAnimation, undamaged_, "Animation:", kUndamaged);
        add_animation_popup(*this, page, kRuinedAnimation, ruined_, "Animation:", kRuined);
        page.finish();
    }

    void contents_changed() override {
        // A newly picked model brings its own states.
        if (!filling()) {
            for (auto [id, popup] : {std::pair{kUndamagedModel, &undamaged_}, std::pair{kRuinedModel, &ruined_}})
                if (get_tag_reference(id) != popup->source())
                    popup->refill(model_states_or_none(database(), get_tag_reference(id)), get_tag_reference(id));
        }
        DefinitionEditForm::contents_changed();
    }

protected:
    void after_fill() override {
        const scenery_definition& s = record();
        undamaged_.fill(model_states_or_none(database(), s.undamaged_model), s.undamaged_model,
                        s.undamaged_animation);
        ruined_.fill(model_states_or_none(database(), s.ruined_model), s.ruined_model, s.ruined_animation);
    }

    void read_controls() override {
        DefinitionEditForm::read_controls();
        copy().undamaged_animation = static_cast<std::int16_t>(undamaged_.value());
        copy().ruined_animation = static_cast<std::int16_t>(ruined_.value());
    }

private:
    AnimationPopup undamaged_;
    AnimationPopup ruined_;
};

} // namespace

void register_scenery_editor() { attach_editor_window<TscenEditForm>(scenery_definition::kType); }

} // namespace zephane
