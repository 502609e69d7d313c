// The units editor: the monster and up to three skin variations, each with its decal and two
// colours and an 80 × 80 preview split along its diagonal. Variations at or beyond the
// number of variations are disabled; the number is clamped to 0 to 3.

#include "definitions/ui/unit_form.h"

#include "app/definition_edit_form.h"
#include "definitions/unit.h"
#include "definitions/unit_bindings.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <algorithm>

namespace zephane {

namespace {

using namespace unit_bindings;
using U = units_definition;

constexpr EditorGroup kGroups[] = {{nullptr, 0}, {kVariations[0], 0}, {kVariations[1], 1}, {kVariations[2], 2}};
constexpr int kPreviewSize = 80;

class TunitEditForm : public DefinitionEditForm<U> {
public:
    TunitEditForm(TagDatabase& db, TagEntry& tag) : DefinitionEditForm(1027, "Unit Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        for (int v = 1; v <= kVariationCount; ++v) {
            register_control(100 * v, &page.box(kVariations[v - 1]));
            auto* preview = new QLabel(&page.box(kVariations[v - 1]));
            preview->setFixedSize(kPreviewSize, kPreviewSize);
            preview->setFrameShape(QFrame::Box);
            register_control(100 * v + 8, preview);
            page.add_row(nullptr, preview, kVariations[v - 1]);
        }
        page.finish();
    }

    void contents_changed() override {
        if (!filling()) follow_variations();
        DefinitionEditForm::contents_changed();
    }

protected:
    void after_fill() override { follow_variations(); }

    void read_controls() override {
        DefinitionEditForm::read_controls();
        // Typed below 0 gives 0, 4 or more gives 3; an untouched count stays as stored.
        if (!is_untouched(kCountEdit))
            copy().variation_count = std::clamp(copy().variation_count, 0, kVariationCount);
    }

private:
    // Enables the variations in use and draws their previews from what the controls hold.
    void follow_variations() {
        read_controls();
        const U& u = record();
        for (int v = 1; v <= kVariationCount; ++v) {
            const bool used = v <= std::clamp(u.variation_count, 0, kVariationCount);
            enable_control(100 * v, used);
            if (used) show_preview(v, u.variations[v - 1]);
        }
    }

    // Colour B where column i ≥ 80 − row j, colour A elsewhere; each channel is the component
    // as its edit shows it.
    void show_preview(int v, const skin_variation& variation) {
        auto* preview = qobject_cast<QLabel*>(find_control(100 * v + 8));
        if (!preview) return;
        const auto colour = [](const std::uint16_t (&c)[3]) { return qRgb(c[0] >> 8, c[1] >> 8, c[2] >> 8); };
        QImage image(kPreviewSize, kPreviewSize, QImage::Format_RGB32);
        for (int j = 0; j < kPreviewSize; ++j)
            for (int i = 0; i < kPreviewSize; ++i)
                image.setPixel(i, j, i >= kPreviewSize - j ? colour(variation.colour_b) : colour(variation.colour_a));
        preview->setPixmap(QPixmap::fromImage(image));
    }
};

} // namespace

void register_units_editor() { attach_editor_window<TunitEditForm>(U::kType); }

} // namespace zephane
