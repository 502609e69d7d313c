// The local light editor: timing, radius, two colours with their swatches, flicker and jitter.

#include "definitions/ui/loli_form.h"

#include "app/definition_edit_form.h"
#include "definitions/loli.h"
#include "definitions/loli_bindings.h"

namespace zephane {

namespace {

using namespace loli_bindings;

using L = local_light_definition;

constexpr EditorGroup kGroups[] = {
    {kLight, 0}, {kColorA, 0}, {kColorB, 0}, {kFlicker, 1}, {kJitter, 1},
};

constexpr int kSwatchA = 15;
constexpr int kSwatchB = 19;

class TloliEditForm : public DefinitionEditForm<L> {
public:
    TloliEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1030, "Local Light", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        page.add_swatch(kSwatchA, kColorA);
        page.add_swatch(kSwatchB, kColorB);
        page.finish();
    }

    // The swatches follow the colours as they are typed.
    void contents_changed() override {
        DefinitionEditForm::contents_changed();
        if (!filling()) show_swatches();
    }

protected:
    void after_fill() override { show_swatches(); }

private:
    void show_swatches() {
        read_controls();
        const L& light = record();
        set_colour_swatch(kSwatchA, light.colour_a[0], light.colour_a[1], light.colour_a[2]);
        set_colour_swatch(kSwatchB, light.colour_b[0], light.colour_b[1], light.colour_b[2]);
    }
};

} // namespace

void register_local_light_editor() {
    attach_editor_window<TloliEditForm>(L::kType);
}

} // namespace zephane
