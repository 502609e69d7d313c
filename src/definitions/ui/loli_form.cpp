// The local light editor: timing, radius, two colours with their swatches, flicker and jitter.

#include "definitions/ui/loli_form.h"

#include "app/definition_edit_form.h"
#include "definitions/loli.h"

namespace zephane {

namespace {

using L = local_light_definition;

constexpr const char* kLight = "Light";
constexpr const char* kColorA = "Color A";
constexpr const char* kColorB = "Color B";
constexpr const char* kFlicker = "Color Flicker";
constexpr const char* kJitter = "Position Jitter";
constexpr EditorGroup kGroups[] = {
    {kLight, 0}, {kColorA, 0}, {kColorB, 0}, {kFlicker, 1}, {kJitter, 1},
};

constexpr FieldBinding kBindings[] = {
    bind::number("fade_in_ticks", 12, "Fade In Ticks:", kLight),
    bind::number("sustain_ticks", 13, "Sustain Ticks:", kLight),
    bind::number("fade_out_ticks", 14, "Fade Out Ticks:", kLight),
    bind::number("radius", 1, "Radius:", kLight),
    bind::number("colour_a", 16, "Red:", kColorA, 0),
    bind::number("colour_a", 17, "Green:", kColorA, 1),
    bind::number("colour_a", 18, "Blue:", kColorA, 2),
    bind::number("colour_b", 20, "Red:", kColorB, 0),
    bind::number("colour_b", 21, "Green:", kColorB, 1),
    bind::number("colour_b", 22, "Blue:", kColorB, 2),
    bind::number("colour_flicker_rate_w0", 8, "Rate W0 (Degrees / Tick):", kFlicker),
    bind::number("colour_flicker_amplitude_w0", 9, "Amplitude W0:", kFlicker),
    bind::number("colour_flicker_rate_w1", 10, "Rate W1 (Degrees / Tick):", kFlicker),
    bind::number("colour_flicker_amplitude_w1", 11, "Amplitude W1:", kFlicker),
    bind::number("position_jitter_rate_x", 2, "Rate X (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_x", 3, "Amplitude X:", kJitter),
    bind::number("position_jitter_rate_y", 4, "Rate Y (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_y", 5, "Amplitude Y:", kJitter),
    bind::number("position_jitter_rate_z", 6, "Rate Z (Degrees / Tick):", kJitter),
    bind::number("position_jitter_amplitude_z", 7, "Amplitude Z:", kJitter),
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
