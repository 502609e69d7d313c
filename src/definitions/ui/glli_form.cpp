// The global light editor: four colours with their swatches, the key and fill light
// directions, and four pictures of a sphere lit by them.

#include "definitions/ui/glli_form.h"

#include "app/definition_edit_form.h"
#include "definitions/glli.h"
#include "definitions/glli_bindings.h"
#include "definitions/glli_preview.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace zephane {

namespace {

using namespace glli_bindings;

using G = global_light_definition;

constexpr EditorGroup kGroups[] = {
    {kAmbient, 0},      {kSky, 0},           {kKeyColour, 1}, {kFillColour, 1},
    {kKeyDirection, 2}, {kFillDirection, 2}, {kTop, 3},       {kFront, 3},
    {kSide, 4},         {kBack, 4},
};

constexpr int kSwatches[] = {1, 5, 9, 13};
constexpr const char* kSwatchGroups[] = {kAmbient, kSky, kKeyColour, kFillColour};
constexpr int kFirstPreview = 23;
constexpr const char* kPreviewGroups[] = {kTop, kFront, kSide, kBack};
constexpr LightPreviewView kViews[] = {LightPreviewView::top, LightPreviewView::front,
                                       LightPreviewView::side, LightPreviewView::back};

// One preview picture on a dark ground.
class LightPreview : public QWidget {
public:
    LightPreview(LightPreviewView view, QWidget* parent) : QWidget(parent), view_(view) {
        setFixedSize(kSize, kSize);
    }
    void show_light(const G& light) {
        const std::vector<std::uint8_t> pixels = render_light_preview(light, view_, kSize - 8);
        picture_ = QImage(pixels.data(), kSize - 8, kSize - 8, QImage::Format_RGBA8888).copy();
        update();
    }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(48, 48, 52));
        painter.drawImage(4, 4, picture_);
    }

private:
    static constexpr int kSize = 104;
    LightPreviewView view_;
    QImage picture_;
};

class TglliEditForm : public DefinitionEditForm<G> {
public:
    TglliEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(1031, "Global Light", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        for (int k = 0; k < 4; ++k) page.add_swatch(kSwatches[k], kSwatchGroups[k]);
        for (int k = 0; k < 4; ++k) {
            auto* preview = new LightPreview(kViews[k], &page.box(kPreviewGroups[k]));
            register_control(kFirstPreview + k, preview);
            page.add_row(nullptr, preview, kPreviewGroups[k]);
        }
        page.finish();
    }

    void contents_changed() override {
        DefinitionEditForm::contents_changed();
        if (!filling()) show_light();
    }

protected:
    void after_fill() override { show_light(); }

private:
    void show_light() {
        read_controls();
        const G& light = record();
        const std::uint16_t* colours[] = {light.ambient_colour, light.sky_colour, light.key_colour,
                                          light.fill_colour};
        for (int k = 0; k < 4; ++k)
            set_colour_swatch(kSwatches[k], colours[k][0], colours[k][1], colours[k][2]);
        for (int k = 0; k < 4; ++k)
            if (auto* preview = dynamic_cast<LightPreview*>(find_control(kFirstPreview + k)))
                preview->show_light(light);
    }
};

} // namespace

void register_global_light_editor() {
    attach_editor_window<TglliEditForm>(G::kType);
}

} // namespace zephane
