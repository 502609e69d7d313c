#pragma once
// TTagEditForm: what every tag editor window shares. The header strip (form 133: "File:",
// the tag file's path, "Reload", "Apply") above the editor's own controls; reload, apply and
// the modified rule; the close prompt; the commands 9801, 9803, 9804 and 403; reference
// fields that pick tags and open them; and the value accessors by control id.
//
// Subclasses build their controls in their constructor (into content()) and define
// do_reload (tag into the copy, copy into the controls), do_apply (controls into the copy,
// copy into the tag) and differs_from_tag (controls into the copy, then compare).

#include "app/control_accessors.h"
#include "app/tag_editor_registry.h"

#include <QByteArray>
#include <QWidget>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QUndoStack;

namespace zephane {

class TagReferenceButton;

inline constexpr int kTagEditHeaderResource = 133;

// The header strip: it draws a separator line along its bottom edge.
class TTagEditHeader : public QWidget {
    Q_OBJECT

public:
    explicit TTagEditHeader(QWidget* parent = nullptr) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The background of an editor's own controls.
class TTagEditBackground : public QWidget {
    Q_OBJECT

public:
    explicit TTagEditBackground(QWidget* parent = nullptr) : QWidget(parent) {}
};

class TTagEditForm : public TagEditorWindow, public ControlAccessors {
    Q_OBJECT

public:
    static constexpr int kFileButton = 9801;
    static constexpr int kPathText = 9802;
    static constexpr int kReloadButton = 9803;
    static constexpr int kApplyButton = 9804;
    // The note under the header's buttons when the tag's file cannot take changes.
    static constexpr int kLockedNote = 9805;
    // Buttons of the close prompt.
    static constexpr int kPromptApply = 101;
    static constexpr int kPromptCancel = 102;
    static constexpr int kPromptDiscard = 103;
    static constexpr int kMinimumSize = 300;

    TTagEditForm(int resource, const char* form_title, TagDatabase& db, TagEntry& tag);
    ~TTagEditForm() override;

    // The title the form resource gives the window before openTag names the tag.
    const QString& form_title() const { return form_title_; }

    // The header, the layout and the watch on every control that can change.
    void finishInit() override;
    // Fills the controls from the tag.
    void reload() final;
    // Controls into the tag. A tag whose file cannot take changes first gets a copy in a
    // file the user picks, and the editor moves to it; false when the user cancelled that.
    bool apply();
    // Whether the controls hold something the tag does not.
    bool isModified();
    void updateHeader() override;
    void tagChanged(tag_type type, tag_id id) override;
    bool canClose() override;

    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;
    // A command as a click on the header runs it: when enabled, reporting what ends it.
    bool run_command(int command);

    QSize sizeHint() const override;

    // ---- For subclasses -------------------------------------------------------------------
    // Where the editor's own controls go.
    QWidget* content() const { return background_; }
    // The scroll area around content().
    QScrollArea* scroll_area() const { return scroll_; }
    // A reference field: the name button (id) that picks a tag of the type, and the small
    // button (open_id) that opens it. Returns the row holding both.
    QWidget* make_reference_field(int id, int open_id, tag_type type, QWidget* parent);
    // The tag picker for a tag of the type, from this editor's file, its paths shown as in
    // the header: the chosen id, kNoTag for "None", 0 when cancelled.
    tag_id pick_tag(tag_type type, tag_id current);
    // A control changed: the header's buttons follow the modified state, and the change
    // becomes an undo step (typing into one field merges into one step).
    virtual void contents_changed();
    // The editor's steps: each user change of the controls, as the editor's state before and
    // after it. Undo puts the controls back; the tag changes only with the next Apply.
    QUndoStack& undo_stack() const { return *undo_stack_; }
    // While the controls are being filled, changes are not the user's; before the first
    // reload there is nothing to read.
    bool filling() const { return filling_ || !filled_; }

protected:
    // Marks controls whose typed values would be stored otherwise (editors with a binding
    // table do it through the table).
    virtual void mark_values() {}
    virtual void do_reload() = 0;
    virtual void do_apply() = 0;
    virtual bool differs_from_tag() = 0;
    // The editor's state as its undo steps keep it, and putting a kept state back (while
    // filling). By default every watched control's value; editors whose state is more than
    // their controls (a record copy with its lists, a texture stack) give their own.
    virtual QByteArray undo_state();
    virtual void restore_undo_state(const QByteArray& state);
    // A payload as an undo state, and a state's bytes.
    static QByteArray state_of(const std::vector<std::uint8_t>& bytes) {
        return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
    }
    static std::span<const std::uint8_t> bytes_of(const QByteArray& state) {
        return {reinterpret_cast<const std::uint8_t*>(state.constData()),
                static_cast<std::size_t>(state.size())};
    }
    // Names the step of the next change that comes from no watched control ("Split RGBA").
    void name_next_step(const QString& text) { pressed_ = text; }

private:
    friend class EditorUndoStep;
    // A user change: the step from the last state to the controls' state now.
    void record_step(const QString& text, const QObject* field);
    void restore_step(const QByteArray& state);
    void build_header();
    // Refuses (UserError) a text holding a character tag texts cannot hold.
    void refuse_unstorable_text() const;
    void watch_controls(QWidget* root);
    void update_buttons();
    void pick_reference(TagReferenceButton& button);
    void open_reference(const TagReferenceButton& button);
    void update_open_button(const TagReferenceButton& button);

    QString form_title_;
    TTagEditHeader* header_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TTagEditBackground* background_ = nullptr;
    std::vector<std::pair<TagReferenceButton*, QPushButton*>> references_;
    bool filling_ = false;
    bool finished_ = false;
    bool filled_ = false; // reloaded at least once
    QUndoStack* undo_stack_;
    QByteArray last_state_;            // the state the last step (or fill) left
    const QObject* changing_ = nullptr; // the watched control whose change is being reported
    QString pressed_;                  // the last button pressed: names changes made through it
    int merge_break_ = 0;              // steps on either side of an Apply or undo never merge
};

} // namespace zephane
