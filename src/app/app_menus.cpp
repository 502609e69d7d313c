// The main menus: File, Edit, Tag and Window, with the command numbers the windows and the
// application answer to.

#include "app/app_settings.h"
#include "app/command_ids.h"
#include "app/zephane_app.h"
#include "framework/xg_frame.h"
#include "mesh/tools/map_editor_state.h"

#include <QFileInfo>
#include <QMenu>

namespace zephane {

void TZephaneApp::build_menus() {
    using namespace command;
    XGFrame& frame = *frame_;
    QMenu* file = frame.add_menu(QStringLiteral("&File"),
                                 {
                                     {kNew, QStringLiteral("&New"), QKeySequence::New},
                                     {kOpen, QStringLiteral("&Open..."), QKeySequence::Open},
                                 });
    frame.add_dynamic_submenu(file, QStringLiteral("Open &Recent"),
                              [this](QMenu& menu) { fill_recent_menu(menu); });
    frame.add_items(
        file,
        {
            {kOpenCompleteTagList, QStringLiteral("Open Complete Tag List")},
            {0, {}},
            {frame_command::kCloseWindow, QStringLiteral("&Close"),
             QKeySequence(QStringLiteral("Ctrl+W"))},
            {kSave, QStringLiteral("&Save"), QKeySequence::Save},
            {kSaveAs, QStringLiteral("Save &As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
            {kRevert, QStringLiteral("&Revert")},
            {0, {}},
            {kUpdateTagFormats, QStringLiteral("Update Tag Formats")},
            {kBuildFoundationTags, QStringLiteral("Build Foundation Tags...")},
            {kBuildPluginFromLocal, QStringLiteral("&Build Plugin From Local...")},
            {0, {}},
            {frame_command::kQuit, QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q"))},
        });
    frame.add_menu(QStringLiteral("&Edit"),
                   {
                       {kUndo, QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z"))},
                       {kRedo, QStringLiteral("&Redo"),
                        QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
                       {0, {}},
                       {kCut, QStringLiteral("Cu&t"), QKeySequence::Cut},
                       {kCopy, QStringLiteral("&Copy"), QKeySequence::Copy},
                       {kPaste, QStringLiteral("&Paste"), QKeySequence::Paste},
                       {kClear, QStringLiteral("Clea&r"), QKeySequence::Delete},
                   });
    frame.keep_keys_from_fields(
        {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    frame.add_menu(
        QStringLiteral("&Tag"),
        {
            {kCreateTag, QStringLiteral("&Create Tag..."), QKeySequence(QStringLiteral("Ctrl+T"))},
            {kOpenTag, QStringLiteral("&Open Tag"), QKeySequence(QStringLiteral("Ctrl+Return"))},
            {kTagInfo, QStringLiteral("Tag &Info..."), QKeySequence(QStringLiteral("Ctrl+I"))},
            {0, {}},
            {kFindTag, QStringLiteral("&Find Tag..."), QKeySequence::Find},
            {kFindDuplicates, QStringLiteral("Find &Duplicates"),
             QKeySequence(QStringLiteral("Ctrl+D"))},
            {kCheckWorkspace, QStringLiteral("Check &Workspace")},
            {0, {}},
            {kReloadTag, QStringLiteral("Reload Tag")},
            {kApplyTagChanges, QStringLiteral("Apply Tag Changes")},
            {0, {}},
            {kImportCameraMotion, QStringLiteral("Import Camera Motion...")},
            {kImportCinFile, QStringLiteral("Import .CIN File...")},
            {kImportNewColormap, QStringLiteral("Import New Colormap...")},
            {kReplaceColormap, QStringLiteral("Replace Colormap...")},
            {kCollapseTerrainDetail, QStringLiteral("Collapse Terrain Detail...")},
        });
    frame.add_menu(QStringLiteral("&Special"),
                   {
                       {kSplitRgba, QStringLiteral("Split RGBA")},
                       {kMergeRgbAndAlpha, QStringLiteral("Merge RGB and A")},
                       {kRecompressTextures, QStringLiteral("Recompress Textures...")},
                   });
    {
        // The map editor's menu: every item asks the map editor in front, so with none in
        // front all of them are disabled.
        using namespace mesh_command;
        frame.add_menu(QStringLiteral("&Mesh"),
                       {
                           {kLocalAxis, QStringLiteral("Local Axis")},
                           {kWorldAxis, QStringLiteral("World Axis")},
                           {0, {}},
                           {kShowColormap, QStringLiteral("Show Colormap")},
                           {kShowTerrainType, QStringLiteral("Show Terrain Type")},
                           {kShowRenderGrid, QStringLiteral("Show Render Grid")},
                           {kShowPhysicsGrid, QStringLiteral("Show Physics Grid")},
                           {kShowMediaGrid, QStringLiteral("Show Media Grid")},
                           {0, {}},
                           {kClickRenderGrid, QStringLiteral("Click Render Grid")},
                           {kClickPhysicsGrid, QStringLiteral("Click Physics Grid")},
                           {kClickMediaGrid, QStringLiteral("Click Media Grid")},
                           {kClickNoGrid, QStringLiteral("Click None")},
                           {0, {}},
                           {kModifyRenderGrid, QStringLiteral("Modify Render Grid")},
                           {kModifyPhysicsGrid, QStringLiteral("Modify Physics Grid")},
                           {kModifyMediaGrid, QStringLiteral("Modify Media Grid")},
                           {kModifyMarkersWithMesh, QStringLiteral("Modify Markers with Mesh")},
                           {0, {}},
                           {kHideMarkers, QStringLiteral("Hide Markers")},
                           {kMarkersOnly, QStringLiteral("Markers Only")},
                           {kBoundingBoxes, QStringLiteral("Bounding Boxes")},
                           {kSimpleModels, QStringLiteral("Simple Models")},
                           {kComplexModels, QStringLiteral("Complex Models")},
                           {0, {}},
                           {kImportNewColormap, QStringLiteral("Import New Colormap...")},
                           {kReplaceColormap, QStringLiteral("Replace Colormap...")},
                           {kCollapseTerrainDetail, QStringLiteral("Collapse Terrain Detail")},
                           {0, {}},
                           {kClearPitchAndRoll, QStringLiteral("Clear Pitch and Roll")},
                           {kSetRenderHeightFromPhysical, QStringLiteral("Set Render Height From Physical")},
                           {0, {}},
                           {kFrameSelection, QStringLiteral("Frame Selection")},
                       });
    }
    frame.add_window_menu(QStringLiteral("&Window"));
}

void TZephaneApp::fill_recent_menu(QMenu& menu) {
    const QStringList files = settings_->recent_files();
    std::vector<MenuItem> items;
    for (int k = 0; k < files.size() && command::kFirstRecentFile + k <= command::kLastRecentFile;
         ++k) {
        const QString number = k < 9 ? QStringLiteral("&%1 ").arg(k + 1) : QString();
        items.push_back({command::kFirstRecentFile + k, number + QFileInfo(files[k]).fileName()});
    }
    items.push_back({0, {}});
    items.push_back({command::kClearRecentFiles, QStringLiteral("Clear Recent Files")});
    frame_->add_items(&menu, items);
    for (QAction* act : menu.actions()) {
        const int index = act->data().toInt() - command::kFirstRecentFile;
        if (index >= 0 && index < files.size()) act->setToolTip(files[index]);
    }
}

} // namespace zephane
