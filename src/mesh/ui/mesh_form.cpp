#include "mesh/ui/mesh_form.h"

#include "app/definition_edit_form.h"
#include "app/value_controls.h"
#include "mesh/mesh_header_bindings.h"
#include "mesh/mesh_header_fields.h"
#include "mesh/new_mesh.h"
#include "mesh/ui/new_mesh_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
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

class TmeshEditForm : public DefinitionEditForm<M> {
public:
    TmeshEditForm(TagDatabase& db, TagEntry& tag)
        : DefinitionEditForm(kMeshTerrainResource, "Mesh Terrain Window", db, tag, kBindings) {
        EditorPage page(*this, kGroups);
        build_page(page);
        join_zoom_coordinates(page);
        arrange_flags(page);
        for (int k = 0; k < kPickerCount; ++k) add_no_tag_button(picker(k));
        auto* hint = new QLabel(QString::fromLatin1(kHintText), &page.box(kPickers));
        hint->setWordWrap(true);
        register_control(kHint, hint);
        page.add_row(nullptr, hint, kPickers);
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
    attach_tag_editor(M::kType, {}, [](TagDatabase& db, TagEntry& tag) {
        return make_tag_editor<TmeshEditForm>(db, tag);
    });
    attach_tag_creator(M::kType, {create_mesh, true});
}

} // namespace zephane
