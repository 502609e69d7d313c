#pragma once
// Undo and redo of a window: the Edit menu's two items ("Undo Rename Tag", "Redo Paste") for
// the window's QUndoStack, and the step that records what one command of a tag file window
// did to its file.
//
// A file step keeps the tags the command touched as they were before and after it (type, id,
// name and version; the payload of a tag that arrived or left), the order of the file's
// groups and tags, and restores either state through the tag database, so every window and
// editor hears of it as of any change. The file's modified state follows the stack: at the
// index of the last save it is as the save left it, elsewhere the file is modified.

#include "framework/xg_dispatch.h"
#include "tags/tag_database.h"

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QUndoStack;

namespace zephane {

class TTagFileForm;
class TZephaneApp;

// Undo and Redo (command::kUndo, command::kRedo) for a stack: enabled when there is a step,
// the item naming it. False for other commands.
bool undo_command_status(const QUndoStack& stack, int command, CommandState& state);

// One tag as a file step keeps it.
struct TagStepState {
    tag_type type = 0;
    tag_id id = 0;
    std::string name;
    std::int16_t version = 0;
    std::optional<Payload> payload; // kept for tags that arrive or leave
};

struct TagStepSlot {
    std::optional<TagStepState> before; // none: the command added the tag
    std::optional<TagStepState> after;  // none: the command removed it
};

class TagFileStep : public QUndoCommand {
public:
    using Layout = std::vector<std::pair<tag_type, tag_id>>;
    TagFileStep(TTagFileForm& form, const QString& text, std::vector<TagStepSlot> changes,
                Layout before, Layout after);
    void undo() override;
    void redo() override;
    // The editors of tags that going back (undo) or forward would remove or move to another
    // type are asked to close first, as Clear asks; false when one stays open.
    bool close_editors(bool undoing) const;

private:
    void restore(bool to_after);

    TTagFileForm& form_;
    std::vector<TagStepSlot> changes_;
    Layout before_;
    Layout after_;
    bool pushed_ = false; // the first redo comes with the push, after the command did its work
};

// Records one command of a tag file window: made before the command, it keeps the file's
// tags as they are; finish() pushes what changed onto the window's stack (nothing when the
// file did not change). Tags the command may remove are named first (their payloads kept).
class TagFileRecorder {
public:
    explicit TagFileRecorder(TTagFileForm& form);
    void will_remove(const std::vector<TagEntry*>& tags);
    // Pushes the step; an empty text names it from the change (Rename Tag, Change Tag ID,
    // Move Tag).
    void finish(QString text);
    // Runs the command and records it, also when it ends with an error partway.
    void run(const QString& text, const std::function<void()>& command);

private:
    struct Kept {
        const TagEntry* entry;
        TagStepState state;
    };
    std::vector<Kept> snapshot() const;

    TTagFileForm& form_;
    std::vector<Kept> before_;
};

// Runs a change of the file through its window's recorder when the file has a window.
void record_file_change(TZephaneApp& app, TagFile& file, const QString& text,
                        const std::function<void()>& change);

} // namespace zephane
