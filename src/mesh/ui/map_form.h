#pragma once
// TMeshForm: the map editor, the mesh type's own editor (the Mesh Terrain Window is its
// alternate). The mesh in its in-memory form, the editor state, the 3-D view TMeshView, the
// side panel and the status line; the Mesh menu's commands, Edit > Clear of the selected
// markers, the palette commands. Every change marks the editor modified; Apply writes the
// mesh back through the save conversion.

#include "app/tag_edit_form.h"
#include "mesh/mesh.h"
#include "mesh/tools/map_editor_state.h"

#include <memory>

class QLabel;

namespace zephane {

class TMeshView;
class TMeshPanel;
struct ToolChange;

inline constexpr int kMapEditorResource = 1041;
inline constexpr int kMapStatusLine = 1042;

class TMeshForm : public TTagEditForm {
    Q_OBJECT

public:
    TMeshForm(TagDatabase& db, TagEntry& tag);
    ~TMeshForm() override;

    TMeshView& view() const { return *view_; }
    TMeshPanel& panel() const { return *panel_; }
    Mesh& mesh() { return mesh_; }
    MapEditorState& state() { return state_; }
    QLabel& status_line() const { return *status_; }

    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;
    void tagChanged(tag_type type, tag_id id) override;
    QSize sizeHint() const override;

    // The palette pane's buttons (map_panel_control::kPaletteNew ... kPaletteSelect).
    void palette_command(int control);
    // Opens "Edit Marker" on a marker.
    void edit_marker(std::size_t index);

protected:
    void do_reload() override;
    void do_apply() override;
    bool differs_from_tag() override { return modified_; }
    // An undo step keeps the whole mesh as its save conversion writes it; one step per
    // stroke or drag (the steps of a drag are gathered until the button goes up).
    QByteArray undo_state() override;
    void restore_undo_state(const QByteArray& state) override;

private:
    void mark_modified();
    void after_edit(const ToolChange& change);
    void state_edited();
    void collapse_terrain_detail();

    Mesh mesh_;
    MapEditorState state_;
    bool loaded_ = false;
    bool modified_ = false;
    bool stroke_open_ = false; // a drag changed the mesh; its step is made at the release
    TMeshView* view_ = nullptr;
    std::unique_ptr<TMeshView> detached_view_; // only when no GL context can be made
    TMeshPanel* panel_ = nullptr;
    QLabel* status_ = nullptr;
};

std::unique_ptr<TagEditorWindow> make_map_editor(TagDatabase& db, TagEntry& tag);

} // namespace zephane
