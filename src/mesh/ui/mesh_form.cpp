#include "mesh/ui/mesh_form.h"

#include "app/definition_edit_form.h"
#include "app/value_controls.h"
#include "mesh/mesh_header_bindings.h"
#include "mesh/mesh_header_fields.h"
#include "mesh/new_mesh.h"
#include "mesh/ui/map_form.h"
#include "mesh/ui/new_mesh_dialog.h"
#include "textures/jpeg_codec.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace zephane {

namespace {

using namespace mesh_terrain_bindings;

using M = mesh_header_record;

constexpr EditorGroup kGroups[] = {
    {kFog, 0},     {kEdgeBuffers, 0}, {kPrologue, 0}, {kLevelPicture, 0},
    {kPickers, 1}, {kCollections, 1}, {kFlags, 2},
};
constexpr int kFlagRows = 8;
constexpr int kPreviewWidth = 192;
constexpr int kPreviewHeight = 128;

class TmeshEditForm : public DefinitionEditForm<M> {
public:
    TmeshEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(kMeshTerrainResource, "Mesh Terrain Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        join_zoom_coordinates(page);
        arrange_flags(page);
        add_picture_preview(page);
        for (int k = 0; k < kPickerCount; ++k) add_no_tag_button(picker(k));
        auto* hint = new QLabel(QString::fromLatin1(kHintText), &page.box(kPickers));
        hint->setWordWrap(true);
        register_control(kHint, hint);
        page.add_row(nullptr, hint, kPickers);
        // The pickers' row keeps the Collections box's side margins, so both sets line up.
        const QMargins boxed = page.box(kCollections).layout()->contentsMargins();
        page.box(kPickers).layout()->setContentsMargins(boxed.left(), 0, boxed.right(), 0);
        page.finish();
    }

protected:
    void do_apply() override {
        // A payload cut inside its header is no mesh: writing a header into it would make
        // one out of whatever bytes follow.
        const Payload* payload = database().get_tag_data(tag());
        if (!payload || payload->size() < kMeshHeaderSize)
            throw UserError(tag().name + " - The mesh's header is incomplete, so the changes could not be written.");
        DefinitionEditForm::do_apply();
    }

private:
    // Both zoom coordinates on the row labelled "Zoom Coords:".
    void join_zoom_coordinates(EditorPage& page) {
        QFormLayout& rows = page.rows(kPrologue);
        QWidget* x = find_control(kZoomX);
        QWidget* y = find_control(kZoomY);
        const QFormLayout::TakeRowResult taken_y = rows.takeRow(y);
        delete taken_y.labelItem;
        delete taken_y.fieldItem;
        int row = 0;
        QFormLayout::ItemRole role{};
        rows.getWidgetPosition(x, &row, &role);
        const QFormLayout::TakeRowResult taken_x = rows.takeRow(row);
        QWidget* label = taken_x.labelItem ? taken_x.labelItem->widget() : nullptr;
        delete taken_x.labelItem;
        delete taken_x.fieldItem;
        auto* pair = new QWidget(&page.box(kPrologue));
        auto* layout = new QHBoxLayout(pair);
        layout->setContentsMargins(0, 0, 0, 0);
        x->setParent(pair);
        y->setParent(pair);
        layout->addWidget(x);
        layout->addWidget(y);
        layout->addStretch(1);
        rows.insertRow(row, label, pair);
    }

    // Under the Level Picture's picker: the picture it names.
    void add_picture_preview(EditorPage& page) {
        auto* preview = new QLabel(&page.box(kLevelPicture));
        preview->setFixedSize(kPreviewWidth, kPreviewHeight);
        preview->setAlignment(Qt::AlignCenter);
        preview->setFrameShape(QFrame::StyledPanel);
        register_control(kLevelPicturePreview, preview);
        page.add_row(nullptr, preview, kLevelPicture);
        // Whatever shows another reference (a reload, a pick, "No Tag") shows its picture.
        if (auto* picker = dynamic_cast<TagReferenceButton*>(find_control(kLevelPictureTag)))
            connect(picker, &TagReferenceButton::relabelled, this, [this, picker, preview] {
                show_picture(*picker, *preview);
            });
    }

    void show_picture(const TagReferenceButton& picker, QLabel& preview) {
        const QImage picture = level_picture(picker.id());
        if (picture.isNull()) {
            preview.setPixmap({});
            preview.setText(is_null_reference(picker.id()) ? QString()
                                                           : QStringLiteral("(no readable picture)"));
            return;
        }
        preview.setPixmap(QPixmap::fromImage(picture.scaled(kPreviewWidth - 4, kPreviewHeight - 4,
                                                            Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation)));
    }

    // The JPEG file tag's picture, colour or gray; null when there is none or it is damaged.
    QImage level_picture(tag_id id) {
        if (is_null_reference(id)) return {};
        TagEntry* jpeg = database().find_tag(fourcc("jpeg"), id);
        const Payload* stream = jpeg ? database().get_tag_data(*jpeg) : nullptr;
        if (!stream || stream->empty()) return {};
        for (const int channels : {3, 1}) {
            JpegDecodeOptions options;
            options.channels = channels;
            options.target_width = kPreviewWidth;
            const std::optional<PixelImage> image = jpeg_decompress(*stream, options);
            if (!image) continue;
            return QImage(image->pixels.data(), image->width, image->height,
                          image->width * image->channels,
                          image->channels == 3 ? QImage::Format_RGB888 : QImage::Format_Grayscale8)
                .copy();
        }
        return {};
    }

    // The flag bank in columns of eight, bit 0 at the top left.
    void arrange_flags(EditorPage& page) {
        QFormLayout& rows = page.rows(kFlags);
        auto* bank = new QWidget(&page.box(kFlags));
        auto* grid = new QGridLayout(bank);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(16);
        for (int bit = 0; bit < kFlagCount; ++bit) {
            QWidget* check = find_control(kFirstFlag + bit);
            const QFormLayout::TakeRowResult taken = rows.takeRow(check);
            delete taken.labelItem;
            delete taken.fieldItem;
            check->setParent(bank);
            grid->addWidget(check, bit % kFlagRows, bit / kFlagRows);
        }
        rows.addRow(bank);
    }

    // "No Tag" at the end of a picker's row: the reference becomes none.
    void add_no_tag_button(int id) {
        auto* name = dynamic_cast<TagReferenceButton*>(find_control(id));
        if (!name || !name->parentWidget() || !name->parentWidget()->layout()) return;
        QWidget* row = name->parentWidget();
        auto* none = new QPushButton(QStringLiteral("No Tag"), row);
        none->setAutoDefault(false);
        register_control(id + 2, none);
        row->layout()->addWidget(none);
        connect(none, &QPushButton::clicked, this, [this, name] { name->choose(database(), kNoTag); });
    }
};

void create_mesh(QWidget* parent, TagDatabase& db, TagEntry& tag) {
    const std::optional<MeshSize> size = run_new_mesh_dialog(parent);
    if (!size) return; // no payload: Create Tag takes the tag away again
    db.set_tag_data(tag, new_mesh_payload(size->width, size->height));
}

} // namespace

void register_mesh_editors() {
    // The map editor is the mesh's own editor; this window is the one opened with the modifier.
    attach_tag_editor(M::kType, make_map_editor, [](TagDatabase& db, TagEntry& tag) {
        return make_tag_editor<TmeshEditForm>(db, tag);
    });
    attach_tag_creator(M::kType, {create_mesh, true});
}

} // namespace zephane
