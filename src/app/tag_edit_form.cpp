#include "app/tag_edit_form.h"

#include "app/app_texts.h"
#include "app/command_ids.h"
#include "app/tag_picker_dialog.h"
#include "app/undo_steps.h"
#include "app/value_controls.h"
#include "app/writable_copy.h"
#include "framework/xg_alert.h"
#include "base/errors.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QDataStream>
#include <QIODevice>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {
// Gives a variable a value for a scope, and back its old one when the scope ends (also by an
// exception).
template <typename T> class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), old_(std::exchange(variable, value)) {}
    ~ScopedValue() { variable_ = old_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T old_;
};
} // namespace

// One user change of an editor's controls.
class EditorUndoStep : public QUndoCommand {
public:
    EditorUndoStep(TTagEditForm& form, const QString& text, QByteArray before, QByteArray after,
                   const QObject* field, int merge_break)
        : QUndoCommand(text), form_(form), before_(std::move(before)), after_(std::move(after)),
          field_(field), merge_break_(merge_break) {}
    int id() const override { return field_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const EditorUndoStep*>(other);
        if (!next || next->field_ != field_ || next->merge_break_ != merge_break_) return false;
        after_ = next->after_;
        setObsolete(after_ == before_); // typed back to what it was: no step at all
        return true;
    }
    void undo() override { form_.restore_step(before_); }
    void redo() override {
        if (!pushed_) {
            pushed_ = true; // the change was made by the user before the push
            return;
        }
        form_.restore_step(after_);
    }

private:
    TTagEditForm& form_;
    QByteArray before_;
    QByteArray after_;
    const QObject* field_;
    int merge_break_;
    bool pushed_ = false;
};

void TTagEditHeader::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

TTagEditForm::TTagEditForm(int resource, const char* form_title, TagDatabase& db, TagEntry& tag)
    : TagEditorWindow(resource, db, tag),
      ControlAccessors([this](int id) { return find_control(id); }, &db),
      form_title_(QString::fromLatin1(form_title)), undo_stack_(new QUndoStack(this)) {
    setWindowTitle(form_title_);
    setMinimumSize(kMinimumSize, kMinimumSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    header_ = new TTagEditHeader(this);
    layout->addWidget(header_);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    background_ = new TTagEditBackground;
    scroll_->setWidget(background_);
    layout->addWidget(scroll_, 1);
}

TTagEditForm::~TTagEditForm() = default;

void TTagEditForm::build_header() {
    auto* rows = new QVBoxLayout(header_);
    rows->setContentsMargins(8, 6, 8, 7);
    rows->setSpacing(4);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    auto* file = new QPushButton(QStringLiteral("File:"), header_);
    auto* path = new QLabel(header_);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path->setMinimumWidth(60);
    path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* reload = new QPushButton(QStringLiteral("Reload"), header_);
    auto* apply = new QPushButton(QStringLiteral("Apply"), header_);
    for (auto [id, button] : {std::pair{kFileButton, file}, std::pair{kReloadButton, reload},
                              std::pair{kApplyButton, apply}}) {
        register_control(id, button);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = id] { run_command(id); });
    }
    register_control(kPathText, path);
    row->addWidget(file);
    row->addWidget(path, 1);
    row->addWidget(reload);
    row->addWidget(apply);
    auto* note = new QLabel(header_);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("QLabel { color: #8a5a00; }"));
    note->hide();
    register_control(kLockedNote, note);
    rows->addWidget(note);
}

void TTagEditForm::finishInit() {
    if (finished_) return;
    finished_ = true;
    build_header();
    updateHeader();
    watch_controls(background_);
    // Nothing to compare until the first reload has filled the controls.
    enable_control(kReloadButton, false);
    enable_control(kApplyButton, false);
    resize(sizeHint());
}

QSize TTagEditForm::sizeHint() const {
    const QSize header = header_->sizeHint();
    const QSize content = background_->sizeHint();
    // Room for the scroll area's bars only when the content would not fit anyway.
    return {std::max(kMinimumSize, std::max(header.width(), content.width())),
            std::max(kMinimumSize, header.height() + content.height())};
}

// ---- Reload, apply, modified ---------------------------------------------------------------

void TTagEditForm::reload() {
    {
        const ScopedValue filling(filling_, true);
        do_reload();
    }
    if (!filled_) resize(sizeHint()); // the first fill decides the widths of labels and paths
    filled_ = true;
    last_state_ = undo_state();
    ++merge_break_;
    mark_values();
    update_buttons();
}

void TTagEditForm::refuse_unstorable_text() const {
    const auto check = [](const QString& text) {
        for (const QChar c : text)
            if (c.unicode() > 0xFF)
                throw UserError("The text \"" + text.toStdString() + "\" holds \"" +
                                QString(c).toStdString() +
                                "\", which tag texts cannot hold (they keep Latin-1 characters "
                                "only).");
    };
    for (const QLineEdit* edit : background_->findChildren<QLineEdit*>()) check(edit->text());
    for (const QPlainTextEdit* text : background_->findChildren<QPlainTextEdit*>())
        check(text->toPlainText());
}

bool TTagEditForm::apply() {
    refuse_unstorable_text();
    if (!locked_tag_note(tag()).empty()) {
        TagEntry* copy = host() ? host()->writable_copy_of(tag(), this) : nullptr;
        if (!copy) return false; // the controls keep the changes
        retarget(*copy);
    }
    do_apply();
    // The controls show what was stored: clamped, rounded, ranges in order.
    reload();
    return true;
}

bool TTagEditForm::isModified() {
    return filled_ && differs_from_tag(); // never filled: nothing of the user's to keep
}

void TTagEditForm::contents_changed() {
    if (filling_ || !filled_) return;
    const bool typing = qobject_cast<const QLineEdit*>(changing_) ||
                        qobject_cast<const QPlainTextEdit*>(changing_);
    record_step(typing           ? QStringLiteral("Typing")
                : changing_      ? QStringLiteral("Change")
                : pressed_.isEmpty() ? QStringLiteral("Edit")
                                     : pressed_,
                typing ? changing_ : nullptr);
    mark_values();
    update_buttons();
}

void TTagEditForm::record_step(const QString& text, const QObject* field) {
    QByteArray now = undo_state();
    if (now == last_state_) return;
    pressed_.clear(); // a button names only the change it made
    QByteArray before = std::exchange(last_state_, now);
    undo_stack_->push(
        new EditorUndoStep(*this, text, std::move(before), std::move(now), field, merge_break_));
}

void TTagEditForm::restore_step(const QByteArray& state) {
    {
        const ScopedValue filling(filling_, true);
        restore_undo_state(state);
    }
    last_state_ = state;
    ++merge_break_;
    mark_values();
    update_buttons();
}

namespace {
// The controls a default editor state holds, in a fixed order.
template <typename Visit> void for_each_state_control(QWidget& root, Visit visit) {
    for (QWidget* widget : root.findChildren<QWidget*>()) visit(*widget);
}
} // namespace

QByteArray TTagEditForm::undo_state() {
    QByteArray state;
    QDataStream out(&state, QIODevice::WriteOnly);
    for_each_state_control(*background_, [&](QWidget& widget) {
        if (auto* reference = qobject_cast<TagReferenceButton*>(&widget))
            out << quint32{reference->type()} << quint32{reference->id()};
        else if (auto* edit = qobject_cast<QLineEdit*>(&widget))
            out << edit->text();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(&widget))
            out << text->toPlainText();
        else if (auto* popup = qobject_cast<QComboBox*>(&widget))
            out << qint32{popup->currentIndex()};
        else if (auto* button = qobject_cast<QAbstractButton*>(&widget); button && button->isCheckable())
            out << button->isChecked();
    });
    return state;
}

void TTagEditForm::restore_undo_state(const QByteArray& state) {
    QDataStream in(state);
    for_each_state_control(*background_, [&](QWidget& widget) {
        if (in.status() != QDataStream::Ok) return;
        if (auto* reference = qobject_cast<TagReferenceButton*>(&widget)) {
            quint32 type = 0, id = 0;
            in >> type >> id;
            reference->show_reference(database(), type, id);
        } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
            QString text;
            in >> text;
            if (edit->text() != text) edit->setText(text);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
            QString text;
            in >> text;
            if (plain->toPlainText() != text) plain->setPlainText(text);
        } else if (auto* popup = qobject_cast<QComboBox*>(&widget)) {
            qint32 index = 0;
            in >> index;
            popup->setCurrentIndex(index);
        } else if (auto* button = qobject_cast<QAbstractButton*>(&widget);
                   button && button->isCheckable()) {
            bool checked = false;
            in >> checked;
            // An exclusive group unchecks the others itself.
            if (checked || !button->autoExclusive()) button->setChecked(checked);
        }
    });
}

void TTagEditForm::update_buttons() {
    const bool modified = isModified();
    enable_control(kReloadButton, modified);
    enable_control(kApplyButton, modified);
}

void TTagEditForm::watch_controls(QWidget* root) {
    // Each change is reported with its control, which names the step and merges typing.
    const auto changed = [this](const QObject* control) {
        return [this, control] {
            const ScopedValue changing(changing_, control);
            contents_changed();
        };
    };
    for (QLineEdit* edit : root->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, changed(edit));
    for (QPlainTextEdit* text : root->findChildren<QPlainTextEdit*>())
        connect(text, &QPlainTextEdit::textChanged, this, changed(text));
    for (QComboBox* popup : root->findChildren<QComboBox*>())
        connect(popup, &QComboBox::currentIndexChanged, this, changed(popup));
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->isCheckable()) {
            connect(button, &QAbstractButton::toggled, this, changed(button));
        } else {
            // A list's or a sub-dialog's button: what it changes is a step named after it.
            connect(button, &QAbstractButton::pressed, this, [this, button] {
                pressed_ = button->text().remove(QLatin1Char('&')).remove(QStringLiteral("..."));
            });
        }
    }
    for (TagReferenceButton* reference : root->findChildren<TagReferenceButton*>())
        connect(reference, &TagReferenceButton::reference_changed, this, changed(reference));
}

// ---- Header and notifications --------------------------------------------------------------

void TTagEditForm::updateHeader() {
    const TagFile* file = TagDatabase::get_tag_file(tag());
    if (!file) return;
    const std::string path = host() ? host()->file_display_name(*file)
                                    : TagDatabase::tag_file_spec(*file).value_or(text::kUnsavedTagFile);
    if (auto* label = control<QLabel>(kPathText)) {
        label->setText(QString::fromStdString(path));
        label->setToolTip(label->text());
        // Room for the path when the window is first sized; narrower windows elide nothing
        // but the tooltip still tells.
        label->setMinimumWidth(std::min(label->fontMetrics().horizontalAdvance(label->text()) + 4, 400));
    }
    if (auto* note = control<QLabel>(kLockedNote)) {
        const std::string why = locked_tag_note(tag());
        note->setText(QString::fromStdString(why));
        note->setVisible(!why.empty());
    }
}

void TTagEditForm::tagChanged(tag_type type, tag_id id) {
    for (auto& [button, open] : references_) {
        if (button->type() != type || button->id() != id) continue;
        button->relabel(database());
    }
}

bool TTagEditForm::canClose() {
    if (!isModified()) return true;
    const QString title = windowTitle();
    const int answer = xg_alert(
        this, QStringLiteral("Commit Tag Changes?"),
        param_text(QStringLiteral("Should the changes to ^0 be applied to the file before the "
                                  "editing window is closed?"),
                   {title}),
        {{kPromptApply, QStringLiteral("Apply")},
         {kPromptCancel, QString::fromLatin1(text::kCancel)},
         {kPromptDiscard, QStringLiteral("Discard Changes")}},
        kPromptApply, kPromptCancel);
    if (answer == kPromptCancel) return false;
    if (answer == kPromptApply) return apply();
    return true;
}

// ---- Commands ------------------------------------------------------------------------------

bool TTagEditForm::command_status(int command, CommandState& state) {
    if (undo_command_status(*undo_stack_, command, state)) return true;
    switch (command) {
    case kFileButton:
    case command::kTagInfo:
        state.enabled = true;
        return true;
    case command::kReloadTag:
    case command::kApplyTagChanges:
        state.enabled = isModified();
        return true;
    default:
        return false;
    }
}

bool TTagEditForm::do_command(int command) {
    switch (command) {
    case kFileButton:
        if (host()) host()->reveal_tag_in_file(tag());
        return true;
    case command::kUndo:
        undo_stack_->undo();
        return true;
    case command::kRedo:
        undo_stack_->redo();
        return true;
    case command::kReloadTag: {
        // Throwing the changes away is a step too.
        const QByteArray before = last_state_;
        reload();
        if (before != last_state_)
            undo_stack_->push(new EditorUndoStep(*this, QStringLiteral("Reload"), before,
                                                 last_state_, nullptr, merge_break_));
        return true;
    }
    case command::kApplyTagChanges:
        apply();
        return true;
    case command::kTagInfo:
        if (host()) host()->show_tag_info(tag(), this);
        return true;
    default:
        return false;
    }
}

bool TTagEditForm::run_command(int command) {
    CommandState state;
    if (!command_status(command, state) || !state.enabled) return false;
    return run_reporting_errors(this, [&] { do_command(command); });
}

// ---- Reference fields ----------------------------------------------------------------------

QWidget* TTagEditForm::make_reference_field(int id, int open_id, tag_type type, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* name = new TagReferenceButton(row);
    name->show_reference(database(), type, kNoTag);
    name->setAutoDefault(false);
    auto* open = new QPushButton(QString::fromUtf8("\u2192"), row);
    open->setAutoDefault(false);
    open->setToolTip(QStringLiteral("Open the referenced tag"));
    open->setFixedWidth(open->sizeHint().height() + 6);
    layout->addWidget(name, 1);
    layout->addWidget(open);
    register_control(id, name);
    register_control(open_id, open);
    references_.emplace_back(name, open);
    connect(name, &QPushButton::clicked, this,
            [this, name] { run_reporting_errors(this, [&] { pick_reference(*name); }); });
    connect(open, &QPushButton::clicked, this,
            [this, name] { run_reporting_errors(this, [&] { open_reference(*name); }); });
    // Whatever shows a reference (a reload, a pick, a change of the tag) also decides whether
    // it can be opened.
    connect(name, &TagReferenceButton::relabelled, this,
            [this, name] { update_open_button(*name); });
    update_open_button(*name);
    return row;
}

void TTagEditForm::update_open_button(const TagReferenceButton& button) {
    for (auto& [name, open] : references_)
        if (name == &button)
            open->setEnabled(!is_null_reference(button.id()) &&
                             database().find_tag(button.type(), button.id()));
}

tag_id TTagEditForm::pick_tag(tag_type type, tag_id current) {
    TagPickRequest request;
    request.type = type;
    request.current = current;
    request.file = TagDatabase::get_tag_file(tag());
    if (EditorHost* editor_host = host())
        request.path_of = [editor_host](const TagFile& file) {
            return editor_host->file_display_name(file);
        };
    return pickTag(this, database(), request);
}

void TTagEditForm::pick_reference(TagReferenceButton& button) {
    const tag_id chosen = pick_tag(button.type(), button.id());
    if (chosen == 0) return;
    button.choose(database(), chosen);
}

void TTagEditForm::open_reference(const TagReferenceButton& button) {
    if (is_null_reference(button.id())) return;
    TagEntry* target = database().find_tag(button.type(), button.id());
    if (target && host()) host()->openTag(*target, false);
}

} // namespace zephane
