// Grabs the map editor (terrain with its colormap, the overlay, markers, the side panel) and
// its two dialogs on a demo map. Run under Xvfb with openbox by
// docs/screenshots/take-map-editor-screenshots.sh.
// Usage: map_editor_screenshots OUT_DIR

#include "framework/xg_dialog.h"
#include "framework/xg_gl_view.h"
#include "mesh/mesh.h"
#include "mesh/tools/map_editor_state.h"
#include "mesh/ui/map_dialogs.h"
#include "mesh/ui/map_form.h"
#include "mesh/ui/map_panel.h"
#include "mesh/ui/map_view.h"
#include "map_fixtures.h"
#include "tags/tag_database.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QSurfaceFormat>
#include <QThread>
#include <QTimer>

using namespace zephane;

namespace {

void settle() {
    for (int k = 0; k < 20; ++k) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void save(QWidget& widget, const QString& path) {
    settle();
    QPixmap shot = widget.screen()->grabWindow(widget.winId());
    if (shot.isNull()) shot = widget.grab();
    shot.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(XGGLView::view_format());
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    Mesh mesh = maptest::hills_mesh(64, 64, 24);
    mesh.header.landscape = fourcc("land");
    db.add_tag(file, fourcc("txst"), fourcc("land"), 1, "Hills Colormap", 0, 0, maptest::colormap_payload(64, 64));
    db.add_tag(file, fourcc("scen"), fourcc("tree"), 1, "Oak Tree", 0, 0, std::vector<std::uint8_t>(64, 0));
    mesh.palette[0].tag = fourcc("tree");
    TagEntry* tag = db.add_tag(file, fourcc("mesh"), fourcc("hill"), 11, "Green Hills", 0, 0, save_mesh(mesh));
    auto window = make_map_editor(db, *tag);
    auto& form = static_cast<TMeshForm&>(*window);
    form.reload();
    form.setWindowTitle(QStringLiteral("Green Hills (hill/mesh)"));
    form.resize(form.sizeHint());
    form.show();
    form.state().palette_selection[1] = 0;
    form.state().selected_markers = {3, 4};
    form.panel().refresh();
    form.view().state_changed();
    save(form, out + QStringLiteral("/map-editor.png"));

    form.do_command(mesh_command::kShowTerrainType);
    form.do_command(mesh_command::kShowPhysicsGrid);
    form.state().tool = kToolTerrainType;
    form.panel().refresh();
    form.view().camera().elevation = 60;
    form.view().camera().distance = 45;
    form.view().update();
    save(form, out + QStringLiteral("/map-editor-terrain-types.png"));

    XGDialog::set_modal_hook([&](XGDialog& dialog) {
        save(dialog, out + (dialog.resource() == palette_dialog_control::kResource
                                ? QStringLiteral("/map-edit-marker-palette.png")
                                : QStringLiteral("/map-edit-marker.png")));
    });
    marker_palette_entry entry = form.mesh().palette[0];
    run_edit_palette_dialog(&form, db, entry, {});
    mesh_marker marker = form.mesh().markers[2];
    run_edit_marker_dialog(&form, form.mesh(), marker);
    return 0;
}
