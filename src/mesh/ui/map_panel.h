#pragma once
// The map editor's side panel: the six tools, the brush pane (the sliders 301-303 with a
// preview of the brush profile, the Show / Mask / Click groups mirroring the Mesh menu),
// the terrain pane (sixteen terrain types with swatches), the water pane ("Media Height:")
// and the marker palette pane (kind popup, the kind's entries, New, Edit, Delete, Select).

#include "framework/xg_controls.h"
#include "mesh/mesh.h"
#include "mesh/tools/map_editor_state.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QListWidget;

namespace zephane {

class TagDatabase;

namespace map_panel_control {
// Tools 100..105 carry their tool numbers.
inline constexpr int kWidth = 301;
inline constexpr int kRound = 302;
inline constexpr int kSoft = 303;
inline constexpr int kBrushPreview = 304;
// Show, Mask and Click boxes answer the Mesh menu command of the same meaning.
inline constexpr int kShowRender = 310, kShowPhysics = 311, kShowMedia = 312, kShowTerrain = 313;
inline constexpr int kMaskRender = 320, kMaskPhysical = 321, kMaskMedia = 322, kMaskMarkers = 323;
inline constexpr int kClickRender = 330, kClickPhysical = 331, kClickMedia = 332, kClickNone = 333;
inline constexpr int kFirstTerrainType = 400; // 400..415
inline constexpr int kMediaHeight = 500;
inline constexpr int kPaletteKind = 600;
inline constexpr int kPaletteList = 601;
inline constexpr int kPaletteNew = 602;
inline constexpr int kPaletteEdit = 603;
inline constexpr int kPaletteDelete = 604;
inline constexpr int kPaletteSelect = 605;
} // namespace map_panel_control

// The palette list's text of an entry: "Team %d" for observers, else the tag, its name (or
// "<missing %s>"), the monster team and the marker counts.
QString palette_row_text(TagDatabase& db, const Mesh& mesh, std::size_t index);

class TMeshPanel : public QWidget {
    Q_OBJECT

public:
    TMeshPanel(TagDatabase& db, QWidget* parent = nullptr);

    void set_mesh(Mesh* mesh, MapEditorState* state);
    // The controls follow the state (after a menu command, a tool, a palette change).
    void refresh();
    void refresh_palette();

    QWidget* find_control(int id) const { return controls_.find_control(id); }

signals:
    // A state command of the Mesh menu, chosen through the panel's Show / Mask / Click boxes.
    void command(int mesh_command);
    // The tool, the brush, the terrain type or the media height changed.
    void state_edited();
    // New / Edit / Delete / Select.
    void palette_command(int control);

private:
    void build_tools(QWidget* pane);
    QWidget* build_brush();
    QWidget* build_terrain();
    QWidget* build_water();
    QWidget* build_palette();
    void add_check(QWidget* box, int id, const QString& text, int mesh_command, bool radio = false);

    TagDatabase& db_;
    Mesh* mesh_ = nullptr;
    MapEditorState* state_ = nullptr;
    XGControlTable controls_;
    std::vector<std::pair<int, int>> menu_boxes_; // control, Mesh menu command
    bool refreshing_ = false;
    QWidget* terrain_pane_ = nullptr;
    QWidget* water_pane_ = nullptr;
    QComboBox* kind_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace zephane
