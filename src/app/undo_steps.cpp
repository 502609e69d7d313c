#include "app/undo_steps.h"

#include "app/command_ids.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"

#include <QUndoStack>
#include <algorithm>
#include <deque>
#include <map>

namespace zephane {

bool undo_command_status(const QUndoStack& stack, int command, CommandState& state) {
    switch (command) {
    case command::kUndo:
        state.enabled = stack.canUndo();
        state.text = state.enabled ? QStringLiteral("&Undo %1").arg(stack.undoText())
                                   : QStringLiteral("&Undo");
        return true;
    case command::kRedo:
        state.enabled = stack.canRedo();
        state.text = state.enabled ? QStringLiteral("&Redo %1").arg(stack.redoText())
                                   : QStringLiteral("&Redo");
        return true;
    default:
        return false;
    }
}

// ---- The file step ------------------------------------------------------------------------

TagFileStep::TagFileStep(TTagFileForm& form, const QString& text, std::vector<TagStepSlot> changes,
                         Layout before, Layout after)
    : QUndoCommand(text), form_(form), changes_(std::move(changes)), before_(std::move(before)),
      after_(std::move(after)) {}

void TagFileStep::undo() {
    restore(false);
}

void TagFileStep::redo() {
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    restore(true);
}

bool TagFileStep::close_editors(bool undoing) const {
    TagFile* file = form_.file();
    if (!file) return false;
    TagDatabase& db = form_.app().db();
    for (const TagStepSlot& slot : changes_) {
        const std::optional<TagStepState>& from = undoing ? slot.after : slot.before;
        const std::optional<TagStepState>& to = undoing ? slot.before : slot.after;
        if (!from || (to && to->type == from->type)) continue;
        if (TagEntry* tag = db.find_tag_in_file(*file, from->type, from->id))
            if (!form_.app().close_tag_editor(*tag)) return false;
    }
    return true;
}

void TagFileStep::restore(bool to_after) {
    TagFile* file = form_.file();
    if (!file) return;
    TZephaneApp& app = form_.app();
    TagDatabase& db = app.db();
    const auto from_of = [to_after](const TagStepSlot& slot) -> const std::optional<TagStepState>& {
        return to_after ? slot.before : slot.after;
    };
    const auto to_of = [to_after](const TagStepSlot& slot) -> const std::optional<TagStepState>& {
        return to_after ? slot.after : slot.before;
    };
    // Tags that leave go first, so that the ids they free can be taken again.
    for (const TagStepSlot& slot : changes_) {
        const auto& from = from_of(slot);
        if (!from || to_of(slot)) continue;
        if (TagEntry* tag = db.find_tag_in_file(*file, from->type, from->id)) {
            app.clipboard().forget(tag);
            db.delete_tag(*tag);
        }
    }
    // Tags the step renamed, re-identified or moved: the same entries, so editors stay on them.
    std::vector<std::pair<TagEntry*, const TagStepState*>> changing;
    for (const TagStepSlot& slot : changes_) {
        const auto& from = from_of(slot);
        const auto& to = to_of(slot);
        if (!from || !to) continue;
        if (TagEntry* tag = db.find_tag_in_file(*file, from->type, from->id))
            changing.emplace_back(tag, &*to);
    }
    for (const auto& [tag, to] : changing) {
        if (tag->name != to->name) db.set_tag_name(*tag, to->name);
        if (tag->id != to->id) db.set_tag_id(*tag, to->id);
        if (TagDatabase::get_tag_type(*tag) != to->type) db.set_tag_type(*tag, to->type);
        if (tag->version != to->version) db.set_tag_version(*tag, to->version);
    }
    for (const TagStepSlot& slot : changes_) {
        const auto& to = to_of(slot);
        if (!to || from_of(slot) || !to->payload) continue;
        db.add_tag(file, to->type, to->id, to->version, to->name, 0,
                   static_cast<std::uint32_t>(to->payload->size()), to->payload);
    }
    // The layout the state had: the k-th tag with a type and id goes where the k-th was.
    std::map<std::pair<tag_type, tag_id>, std::deque<TagEntry*>> present;
    for (TagGroup& group : file->groups)
        for (TagEntry& tag : group.entries) present[{group.type, tag.id}].push_back(&tag);
    std::vector<TagEntry*> order;
    for (const auto& key : to_after ? after_ : before_) {
        const auto found = present.find(key);
        if (found == present.end() || found->second.empty()) continue;
        order.push_back(found->second.front());
        found->second.pop_front();
    }
    db.arrange_tag_file(*file, order);
    form_.step_restored(to_after);
}

// ---- Recording ----------------------------------------------------------------------------

TagFileRecorder::TagFileRecorder(TTagFileForm& form) : form_(form), before_(snapshot()) {}

std::vector<TagFileRecorder::Kept> TagFileRecorder::snapshot() const {
    std::vector<Kept> out;
    if (!form_.file()) return out;
    for (TagGroup& group : form_.file()->groups)
        for (const TagEntry& tag : group.entries)
            out.push_back({&tag, {group.type, tag.id, tag.name, tag.version, std::nullopt}});
    return out;
}

void TagFileRecorder::will_remove(const std::vector<TagEntry*>& tags) {
    TagDatabase& db = form_.app().db();
    for (TagEntry* tag : tags) {
        for (Kept& kept : before_) {
            if (kept.entry != tag || kept.state.payload) continue;
            if (const Payload* payload = db.get_tag_data(*tag)) kept.state.payload = *payload;
        }
    }
}

void TagFileRecorder::finish(QString text) {
    if (!form_.file()) return;
    TagDatabase& db = form_.app().db();
    const std::vector<Kept> after = snapshot();
    const auto find_in = [](const std::vector<Kept>& list, const TagEntry* entry) {
        return std::find_if(list.begin(), list.end(),
                            [entry](const Kept& kept) { return kept.entry == entry; });
    };
    const auto same = [](const TagStepState& a, const TagStepState& b) {
        return a.type == b.type && a.id == b.id && a.name == b.name && a.version == b.version;
    };
    std::vector<TagStepSlot> changes;
    for (const Kept& old : before_) {
        const auto now = find_in(after, old.entry);
        if (now == after.end()) {
            // A tag that left without its payload kept cannot come back: the step would lie.
            if (old.state.payload) changes.push_back({old.state, std::nullopt});
        } else if (!same(old.state, now->state)) {
            changes.push_back({old.state, now->state});
        }
    }
    for (const Kept& now : after) {
        if (find_in(before_, now.entry) != before_.end()) continue;
        TagStepState state = now.state;
        if (const Payload* payload = db.get_tag_data(*const_cast<TagEntry*>(now.entry)))
            state.payload = *payload;
        changes.push_back({std::nullopt, std::move(state)});
    }
    TagFileStep::Layout before_layout, after_layout;
    for (const Kept& kept : before_) before_layout.emplace_back(kept.state.type, kept.state.id);
    for (const Kept& kept : after) after_layout.emplace_back(kept.state.type, kept.state.id);
    if (changes.empty() && before_layout == after_layout) return;
    if (text.isEmpty()) {
        text = QStringLiteral("Rename Tag");
        if (changes.size() == 1 && changes.front().before && changes.front().after) {
            const TagStepState& was = *changes.front().before;
            const TagStepState& now = *changes.front().after;
            if (was.type != now.type)
                text = QStringLiteral("Move Tag");
            else if (was.name == now.name)
                text = QStringLiteral("Change Tag ID");
        }
    }
    form_.push_step(new TagFileStep(form_, text, std::move(changes), std::move(before_layout),
                                    std::move(after_layout)));
    before_ = after;
}

void TagFileRecorder::run(const QString& text, const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        finish(text);
        throw;
    }
    finish(text);
}

void record_file_change(TZephaneApp& app, TagFile& file, const QString& text,
                        const std::function<void()>& change) {
    TTagFileForm* form = app.file_form(file);
    if (!form) {
        change();
        return;
    }
    TagFileRecorder(*form).run(text, change);
}

} // namespace zephane
