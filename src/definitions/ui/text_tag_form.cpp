// The text editors. The box shows the payload with its carriage returns as line breaks; a
// stored text longer than the editor's limit is shown whole, and Apply refuses a text over
// the limit rather than cutting it.

#include "definitions/ui/text_tag_form.h"
#include "framework/xg_text.h"

#include "app/tag_edit_form.h"
#include "definitions/text_tag.h"
#include "base/errors.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zephane {

namespace {

constexpr int kTextControl = 12401;
constexpr int kCountText = 12402;

QString count_text(qsizetype characters) {
    const QString count = QLocale::c().toString(static_cast<qlonglong>(characters));
    if (characters > static_cast<qsizetype>(kTextEditorLimit))
        return QStringLiteral("%1 characters: more than the 16,384 a text can hold").arg(count);
    return QStringLiteral("%1 of 16,384 characters").arg(count);
}

class TTextTagEditForm : public TTagEditForm {
public:
    TTextTagEditForm(int resource, const char* form_title, TagDatabase& db, TagEntry& tag)
        : TTagEditForm(resource, form_title, db, tag) {
        auto* layout = new QVBoxLayout(content());
        layout->setContentsMargins(6, 6, 6, 6);
        box_ = new QPlainTextEdit(content());
        box_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        box_->setLineWrapMode(QPlainTextEdit::NoWrap);
        box_->setMinimumSize(420, 300);
        register_control(kTextControl, box_);
        layout->addWidget(box_, 1);
        count_ = new QLabel(content());
        register_control(kCountText, count_);
        layout->addWidget(count_);
        connect(box_, &QPlainTextEdit::textChanged, this,
                [this] { count_->setText(count_text(box_->toPlainText().size())); });
    }

    // The box's text as it would be stored (lines separated by carriage returns).
    std::string typed_text() const { return latin1(box_->toPlainText()); }

protected:
    void do_reload() override {
        shown_ = QString::fromLatin1(read_text_tag(database(), tag()));
        box_->setPlainText(shown_);
        count_->setText(count_text(shown_.size()));
    }

    bool differs_from_tag() override {
        // Untouched, the payload stays exactly as it is.
        if (box_->toPlainText() == shown_) return false;
        return text_tag_differs(database(), tag(), typed_text());
    }

    void do_apply() override {
        if (!differs_from_tag()) return;
        const QString text = box_->toPlainText();
        if (text.size() > static_cast<qsizetype>(kTextEditorLimit))
            throw UserError(tag().name + " - The text is " +
                            QLocale::c().toString(static_cast<qlonglong>(text.size())).toStdString() +
                            " characters long, more than the 16,384 a text can hold. Shorten it, "
                            "then apply.");
        write_text_tag(database(), tag(), typed_text());
        shown_ = text;
    }

private:
    QPlainTextEdit* box_ = nullptr;
    QLabel* count_ = nullptr;
    QString shown_;
};

class TstliEditForm : public TTextTagEditForm {
public:
    TstliEditForm(TagDatabase& db, TagEntry& tag)
        : TTextTagEditForm(1024, "String List Editing Window", db, tag) {}
};

class TtempEditForm : public TTextTagEditForm {
public:
    TtempEditForm(TagDatabase& db, TagEntry& tag)
        : TTextTagEditForm(1025, "Template Editing Window", db, tag) {}
};

class TtextEditForm : public TTextTagEditForm {
public:
    TtextEditForm(TagDatabase& db, TagEntry& tag)
        : TTextTagEditForm(1026, "Text Editing Window", db, tag) {}
};

} // namespace

void register_text_editors() {
    attach_editor_window<TstliEditForm>(fourcc("stli"));
    attach_editor_window<TtempEditForm>(fourcc("temp"));
    attach_editor_window<TtextEditForm>(fourcc("text"));
}

} // namespace zephane
