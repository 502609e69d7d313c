#include "mesh/ui/map_form.h"

#include <utility>

#include "app/command_ids.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "mesh/ui/map_dialogs.h"
#include "mesh/ui/map_panel.h"
#include "mesh/ui/map_view.h"
#include "textures/texture_stack.h"
#include "textures/ui/collapse_terrain_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cstring>

namespace zephane {

namespace {

// Whether the platform can make a GL context at all (the offscreen platform cannot, and a
// shown QOpenGLWidget there brings the program down).
bool gl_available() {
    static const bool available = [] {
        QOpenGLContext context;
        context.setFormat(XGGLView::view_format());
        return context.create();
    }();
    return available;
}

// Double-clicking a marker with the Band Markers tool opens "Edit Marker".
class MarkerDoubleClick : public QObject {
public:
    MarkerDoubleClick(TMeshForm& form, QObject* parent) : QObject(parent), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return QObject::eventFilter(watched, event);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        TMeshView& view = form_.view();
        const Ray ray = camera_ray(view.camera(), view.width(), view.height(), mouse->position().x(),
                                   mouse->position().y());
        if (const auto marker = pick_marker(form_.mesh(), ray, 0.6)) {
            form_.edit_marker(*marker);
            return true;
        }
        return false;
    }

private:
    TMeshForm& form_;
};

} // namespace

TMeshForm::TMeshForm(TagDatabase& db, TagEntry& tag)
    : TTagEditForm(kMapEditorResource, "Map Editor", db, tag) {
    auto* layout = new QHBoxLayout(content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    if (gl_available()) {
        view_ = new TMeshView(db, content());
        left->addWidget(view_, 1);
    } else {
        // The editor still works through its menu and panel; only the drawing is missing. The
        // view stays out of the window: a GL widget inside it would bring the program down.
        detached_view_ = std::make_unique<TMeshView>(db, nullptr);
        view_ = detached_view_.get();
        auto* missing = new QLabel(QStringLiteral("OpenGL is not available: the map cannot be drawn."), content());
        missing->setAlignment(Qt::AlignCenter);
        left->addWidget(missing, 1);
    }
    status_ = new QLabel(content());
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setContentsMargins(6, 2, 6, 2);
    status_->setMinimumWidth(100);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    register_control(kMapStatusLine, status_);
    left->addWidget(status_);
    layout->addLayout(left, 1);
    auto* side = new QScrollArea(content());
    side->setFrameShape(QFrame::NoFrame);
    side->setWidgetResizable(true);
    side->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel_ = new TMeshPanel(db, side);
    side->setWidget(panel_);
    side->setFixedWidth(panel_->width() + 14);
    layout->addWidget(side);
    scroll_area()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_area()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->installEventFilter(new MarkerDoubleClick(*this, view_));

    connect(view_, &TMeshView::edited, this, [this](const ToolChange& change) { after_edit(change); });
    connect(view_, &TMeshView::stroke_ended, this, [this] {
        if (!std::exchange(stroke_open_, false)) return;
        name_next_step(QStringLiteral("Stroke"));
        contents_changed();
    });
    connect(view_, &TMeshView::selection_changed, this, [this] { panel_->refresh(); });
    connect(view_, &TMeshView::status_changed, status_, &QLabel::setText);
    connect(panel_, &TMeshPanel::command, this, [this](int command) { do_command(command); });
    connect(panel_, &TMeshPanel::state_edited, this, [this] { state_edited(); });
    connect(panel_, &TMeshPanel::palette_command, this, [this](int control) {
        run_reporting_errors(this, [&] { palette_command(control); });
    });
}

TMeshForm::~TMeshForm() {
    view_->set_mesh(nullptr, nullptr);
    panel_->set_mesh(nullptr, nullptr);
}

QSize TMeshForm::sizeHint() const { return {1100, 780}; }

void TMeshForm::do_reload() {
    loaded_ = false;
    view_->set_mesh(nullptr, nullptr);
    panel_->set_mesh(nullptr, nullptr);
    std::string failure;
    const Payload* payload = database().get_tag_data(tag(), &failure);
    if (!payload) throw UserError(tag().name + " - The mesh could not be read: " + failure);
    try {
        mesh_ = load_mesh(*payload);
    } catch (const FormatError& error) {
        mesh_ = Mesh{};
        throw UserError(tag().name + " - The mesh cannot be shown: " + error.what());
    }
    // A new editor: the click target 5 with the modify flags of 0 and 5, terrain type 6, no
    // palette entry selected.
    state_ = MapEditorState{};
    loaded_ = true;
    modified_ = false;
    view_->set_mesh(&mesh_, &state_);
    panel_->set_mesh(&mesh_, &state_);
    status_->setText(QString::fromStdString(status_text(view_->camera().target[0], view_->camera().target[1],
                                                        view_->camera().target[2])));
}

void TMeshForm::do_apply() {
    if (!loaded_) return;
    database().set_tag_data(tag(), save_mesh(mesh_));
    modified_ = false;
}

void TMeshForm::mark_modified() {
    modified_ = true;
    contents_changed();
}

void TMeshForm::after_edit(const ToolChange& change) {
    if (change.modified() && view_->tool_dragging()) {
        // The step waits for the end of the drag.
        modified_ = true;
        stroke_open_ = true;
    } else if (change.modified()) {
        mark_modified();
    }
    if (change.markers) panel_->refresh_palette();
}

QByteArray TMeshForm::undo_state() {
    if (!loaded_) return {};
    return state_of(save_mesh(mesh_));
}

void TMeshForm::restore_undo_state(const QByteArray& state) {
    if (!loaded_ || state.isEmpty()) return;
    try {
        const std::span<const std::uint8_t> bytes = bytes_of(state);
        mesh_ = load_mesh(Payload(bytes.begin(), bytes.end()));
    } catch (const FormatError&) {
        return; // a state this editor wrote itself; kept as it is if it ever fails
    }
    // Marker indices may name markers that are no longer there.
    state_.selected_markers.clear();
    view_->set_mesh(&mesh_, &state_);
    panel_->set_mesh(&mesh_, &state_);
    modified_ = true;
}

void TMeshForm::state_edited() {
    view_->state_changed();
}

void TMeshForm::tagChanged(tag_type type, tag_id id) {
    TTagEditForm::tagChanged(type, id);
    if (type == kTextureStackType) view_->texture_tag_changed(id);
    if (type == fourcc("scen") || type == fourcc("skmd")) view_->model_tag_changed();
    if (loaded_) panel_->refresh_palette();
}

bool TMeshForm::command_status(int command, CommandState& state) {
    switch (command) {
    case command::kImportNewColormap:
    case command::kReplaceColormap: state.enabled = false; return true;
    case command::kCollapseTerrainDetail:
    case mesh_command::kClearPitchAndRoll:
    case mesh_command::kSetRenderHeightFromPhysical: state.enabled = loaded_; return true;
    case command::kClear: state.enabled = loaded_ && !state_.selected_markers.empty(); return true;
    default: break;
    }
    if (loaded_ && view_->command_status(command, state)) return true;
    return TTagEditForm::command_status(command, state);
}

bool TMeshForm::do_command(int command) {
    switch (command) {
    case command::kImportNewColormap:
    case command::kReplaceColormap: return true;
    case command::kCollapseTerrainDetail: collapse_terrain_detail(); return true;
    case mesh_command::kClearPitchAndRoll:
        if (!loaded_) return true;
        clear_pitch_and_roll(mesh_);
        after_edit({false, 0, 0, -1, -1, true, false});
        view_->mesh_changed({false, 0, 0, -1, -1, true, false});
        return true;
    case mesh_command::kSetRenderHeightFromPhysical:
        if (!loaded_) return true;
        set_render_height_from_physical(mesh_);
        mark_modified();
        view_->mesh_replaced();
        return true;
    case command::kClear:
        if (!loaded_ || state_.selected_markers.empty()) return true;
        clear_markers(mesh_, state_.selected_markers);
        state_.selected_markers.clear();
        mark_modified();
        view_->mesh_changed({false, 0, 0, -1, -1, true, true});
        panel_->refresh();
        return true;
    default: break;
    }
    if (loaded_ && view_->do_command(command)) {
        panel_->refresh();
        return true;
    }
    return TTagEditForm::do_command(command);
}

void TMeshForm::collapse_terrain_detail() {
    // The new stack goes into the mesh's own tag file.
    TagFile* file = tag().file;
    if (!file || TagDatabase::tag_file_is_locked(*file))
        throw UserError(tag().name + " - Cannot modify base tags or patches.");
    const auto pick = [this](tag_id current) { return pick_tag(kTextureStackType, current); };
    const auto choice = run_collapse_terrain_dialog(this, database(), pick);
    if (!choice) return;
    if (collapse_into(this, database(), *file, *choice)) database().notify_file(*file);
}

void TMeshForm::palette_command(int control) {
    using namespace map_panel_control;
    if (!loaded_) return;
    const std::uint16_t kind = state_.palette_kind;
    const int selected = state_.selected_palette_entry(mesh_);
    const auto picker = [this](tag_type type, tag_id current) { return pick_tag(type, current); };
    switch (control) {
    case kPaletteNew: {
        marker_palette_entry entry = new_palette_entry(kind);
        if (!run_edit_palette_dialog(this, database(), entry, picker)) return;
        state_.palette_selection[kind] = static_cast<int>(add_palette_entry(mesh_, entry));
        break;
    }
    case kPaletteEdit: {
        if (selected < 0) return;
        marker_palette_entry entry = mesh_.palette[static_cast<std::size_t>(selected)];
        if (!run_edit_palette_dialog(this, database(), entry, picker)) return;
        mesh_.palette[static_cast<std::size_t>(selected)] = entry;
        break;
    }
    case kPaletteDelete:
        if (selected < 0) return;
        delete_palette_entry(mesh_, static_cast<std::size_t>(selected));
        // Absolute indices above the deleted entry moved down by one.
        for (int& slot : state_.palette_selection)
            if (slot == selected) slot = -1;
            else if (slot > selected) --slot;
        state_.selected_markers.clear();
        view_->mesh_changed({false, 0, 0, -1, -1, true, true});
        break;
    case kPaletteSelect:
        if (selected < 0) return;
        state_.select_markers(select_palette_markers(mesh_, static_cast<std::size_t>(selected)), false);
        view_->state_changed();
        panel_->refresh();
        return;
    default: return;
    }
    mark_modified();
    panel_->refresh();
}

void TMeshForm::edit_marker(std::size_t index) {
    if (!loaded_ || index >= mesh_.markers.size()) return;
    mesh_marker marker = mesh_.markers[index];
    if (!run_edit_marker_dialog(this, mesh_, marker)) return;
    if (std::memcmp(&marker, &mesh_.markers[index], sizeof marker) == 0) return;
    mesh_.markers[index] = marker;
    mark_modified();
    view_->mesh_changed({false, 0, 0, -1, -1, true, false});
    panel_->refresh_palette();
}

std::unique_ptr<TagEditorWindow> make_map_editor(TagDatabase& db, TagEntry& tag) {
    return make_tag_editor<TMeshForm>(db, tag);
}

} // namespace zephane
