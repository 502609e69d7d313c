#include "app/all_tag_form.h"

#include "app/app_texts.h"
#include "app/command_ids.h"
#include "app/tag_rows.h"
#include "app/zephane_app.h"
#include "base/errors.h"

#include <QIcon>
#include <unordered_map>

namespace zephane {

TAllTagForm::TAllTagForm(TZephaneApp& app) : TTagTreeForm(app) {
    setWindowTitle(QString::fromLatin1(text::kAllTagFilesTitle));
    setWindowIcon(QIcon(TTreeView::icon_pixmap(kIconGroup)));
    rebuildTree(true);
}

TAllTagForm::~TAllTagForm() {
    app_.all_tags_closed();
}

void TAllTagForm::rebuildTree(bool refresh) {
    if (!tree()) return;
    app_.consume_all_tags_change();
    const RebuildMemory memory = begin_rebuild();
    const RowFilter& filter = row_filter();
    std::unordered_map<tag_type, TreeRow*> type_rows;
    std::vector<TreeRow*> order;
    const CopyNotes copies(app_.db(), [this](const TagFile& file) { return app_.file_display_name(file); });
    for (TagFile& file : app_.db().files()) {
        for (TagGroup& group : file.groups) {
            const bool whole_group = filter.matches_type(group.type);
            TreeRow* type_row = nullptr;
            if (const auto it = type_rows.find(group.type); it != type_rows.end())
                type_row = it->second;
            for (TagEntry& tag : group.entries) {
                if (!whole_group && !filter.matches(tag)) continue;
                if (!type_row) {
                    ZEPHANE_ASSERT(type_rows.size() < kMaxTypes, "m", "TAllTagForm");
                    type_row = &add_group_row(group.type, nullptr);
                    type_rows.emplace(group.type, type_row);
                    order.push_back(type_row);
                }
                TreeRow& row = add_tag_row(*type_row, tag);
                if (const std::optional<CopyNote> note = copies.note(tag)) {
                    row.note = note->suffix;
                    row.tooltip = note->tooltip;
                    row.dimmed = note->overridden;
                }
            }
        }
    }
    // Each type's rows are sorted once, after every file has added to them: the same order as
    // sorting after each file, without sorting a large group once per file.
    for (TreeRow* row : order) finish_group(*row, memory);
    end_rebuild(memory, refresh);
}

bool TAllTagForm::canClose() {
    return true;
}

bool TAllTagForm::command_status(int command, CommandState& state) {
    if (shared_command_status(command, state)) return true;
    switch (command) {
    case command::kCut:
    case command::kCopy:
    case command::kPaste:
    case command::kClear:
    case command::kSave:
    case command::kSaveAs:
    case command::kRevert:
    case command::kCreateTag:
    case command::kImportCameraMotion:
    case command::kImportCinFile:
    case command::kImportNewColormap:
    case command::kReplaceColormap:
    case command::kCollapseTerrainDetail:
        state.enabled = false;
        return true;
    default:
        return false;
    }
}

bool TAllTagForm::do_command(int command) {
    if (do_shared_command(command)) return true;
    CommandState state;
    return command_status(command, state); // the disabled ones are still this window's
}

} // namespace zephane
