#include "dialogs/ui/dialog_preview_form.h"

#include "app/tag_edit_form.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "dialogs/dialog_payload.h"
#include "tags/tag_code.h"
#include "tags/tag_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

using namespace dialog_preview_control;

namespace {

constexpr std::uint32_t code(const char (&text)[5]) {
    return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16) |
           (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
}

enum class Look { Button, CheckBox, Label, Edit, List, Slider, Number, Popup, Header, Picture, Progress };

// The list kinds chosen by a control's id are lists all the same; 'game' is a list or a text.
Look look_of(std::uint32_t kind, bool has_text) {
    switch (kind) {
    case code("butt"): return Look::Button;
    case code("chek"): return Look::CheckBox;
    case code("stat"):
    case code("repo"):
    case code("prol"): return Look::Label;
    case code("edit"): return Look::Edit;
    case code("game"): return has_text ? Look::Label : Look::List;
    case code("slid"): return Look::Slider;
    case code("numb"): return Look::Number;
    case code("popu"): return Look::Popup;
    case code("head"):
    case code("colr"):
    case code("ched"): return Look::Header;
    case code("bitm"): return Look::Picture;
    case code("prog"): return Look::Progress;
    default: return Look::List; // 'list' and the lists chosen by id
    }
}

QString bounds_text(const dlog_control& c) {
    return QStringLiteral("%1, %2, %3, %4").arg(c.left).arg(c.top).arg(c.right).arg(c.bottom);
}

// The canvas: the dialog window's client area, the controls as its children.
class DialogCanvas : public QFrame {
public:
    explicit DialogCanvas(QWidget* parent) : QFrame(parent) {
        setFrameShape(QFrame::Box);
        setBackgroundRole(QPalette::Window);
        setAutoFillBackground(true);
        highlight_ = new QFrame(this);
        highlight_->setFrameShape(QFrame::Box);
        highlight_->setLineWidth(2);
        highlight_->setStyleSheet(QStringLiteral("color: palette(highlight);"));
        highlight_->setAttribute(Qt::WA_TransparentForMouseEvents);
        highlight_->hide();
    }

    void show_dialog(const DialogPayload& dialog) {
        for (QWidget* w : controls_) delete w;
        controls_.clear();
        const dlog_header& h = dialog.header;
        setFixedSize(std::max(1, h.right - h.left), std::max(1, h.bottom - h.top));
        for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
            const dlog_control& c = dialog.controls[i];
            QWidget* w = make_dialog_control_widget(c.kind, dialog.texts[i].c_str(), this);
            w->setGeometry(c.left, c.top, std::max(1, c.right - c.left), std::max(1, c.bottom - c.top));
            w->setToolTip(QStringLiteral("'%1' %2").arg(QString::fromStdString(tag_text(c.kind))).arg(c.id));
            w->show();
            controls_.push_back(w);
        }
        highlight_->hide();
        highlight_->raise();
    }

    void highlight(int index) {
        if (index < 0 || index >= static_cast<int>(controls_.size())) {
            highlight_->hide();
            return;
        }
        highlight_->setGeometry(controls_[static_cast<std::size_t>(index)]->geometry().adjusted(-2, -2, 2, 2));
        highlight_->show();
        highlight_->raise();
    }

    const std::vector<QWidget*>& controls() const { return controls_; }

private:
    std::vector<QWidget*> controls_;
    QFrame* highlight_;
};

class TbinaPreviewForm : public TTagEditForm {
public:
    TbinaPreviewForm(TagDatabase& db, TagEntry& tag) : TTagEditForm(1060, "Dialog Preview", db, tag) {
        columns_ = new QHBoxLayout(content());
        auto* columns = columns_;
        columns->setContentsMargins(10, 10, 10, 10);
        columns->setSpacing(10);

        left_ = new QVBoxLayout;
        auto* left = left_;
        auto* window_text = new QLabel(content());
        register_control(kWindowText, window_text);
        left->addWidget(window_text);
        auto* scroll = new QScrollArea(content());
        scroll->setBackgroundRole(QPalette::Dark);
        canvas_ = new DialogCanvas(scroll);
        register_control(kCanvas, canvas_);
        scroll->setWidget(canvas_);
        scroll->setAlignment(Qt::AlignCenter);
        scroll_ = scroll;
        left->addWidget(scroll, 1);
        columns->addLayout(left, 3);

        list_ = new QTreeWidget(content());
        list_->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("Id"), QStringLiteral("Bounds"),
                                QStringLiteral("Text")});
        list_->setRootIsDecorated(false);
        list_->setUniformRowHeights(true);
        list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list_->header()->setStretchLastSection(true);
        list_->setMinimumWidth(280);
        register_control(kControls, list_);
        connect(list_, &QTreeWidget::currentItemChanged, this,
                [this] { canvas_->highlight(list_->indexOfTopLevelItem(list_->currentItem())); });
        columns->addWidget(list_, 2);
    }

protected:
    void do_reload() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) throw UserError(tag().name + " - The dialog cannot be read: the payload cannot be loaded");
        DialogPayload dialog;
        try {
            dialog = read_dialog_payload(*payload);
        } catch (const FormatError& e) {
            throw UserError(tag().name + " - The dialog cannot be read: " + e.what());
        }
        const dlog_header& h = dialog.header;
        control<QLabel>(kWindowText)
            ->setText(QStringLiteral("Window: %1, %2, %3 x %4")
                          .arg(h.left)
                          .arg(h.top)
                          .arg(h.right - h.left)
                          .arg(h.bottom - h.top));
        canvas_->show_dialog(dialog);
        // The whole window in view when it fits on a screen, scrolled when it does not.
        const int frame = 2 * scroll_->frameWidth() + 24;
        scroll_->setMinimumSize(std::clamp(canvas_->width() + frame, 320, kLargestView.width()),
                                std::clamp(canvas_->height() + frame, 240, kLargestView.height()));
        // Before the window is first shown a new minimum reaches no layout by itself, and the
        // first fill sizes the window from them.
        left_->invalidate();
        columns_->invalidate();
        list_->clear();
        for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
            const dlog_control& c = dialog.controls[i];
            auto* row = new QTreeWidgetItem(list_);
            row->setText(0, QString::fromStdString(tag_text(c.kind)));
            row->setText(1, QString::number(c.id));
            row->setText(2, bounds_text(c));
            row->setText(3, QString::fromLatin1(dialog.texts[i].c_str()));
        }
    }

    // Nothing here changes the tag.
    void do_apply() override {}
    bool differs_from_tag() override { return false; }

private:
    static constexpr QSize kLargestView{800, 600};
    QHBoxLayout* columns_;
    QVBoxLayout* left_;
    QScrollArea* scroll_;
    DialogCanvas* canvas_;
    QTreeWidget* list_;
};

} // namespace

QWidget* make_dialog_control_widget(std::uint32_t kind, const char* text, QWidget* parent) {
    const QString title = QString::fromLatin1(text);
    QWidget* w = nullptr;
    switch (look_of(kind, !title.isEmpty())) {
    case Look::Button: w = new QPushButton(title, parent); break;
    case Look::CheckBox: w = new QCheckBox(title, parent); break;
    case Look::Label: w = new QLabel(title, parent); break;
    case Look::Edit: w = new QLineEdit(title, parent); break;
    case Look::List: w = new QListWidget(parent); break;
    case Look::Slider: w = new QSlider(Qt::Horizontal, parent); break;
    case Look::Number: w = new QSpinBox(parent); break;
    case Look::Popup: {
        auto* popup = new QComboBox(parent);
        if (!title.isEmpty()) popup->addItem(title);
        w = popup;
        break;
    }
    case Look::Header: {
        auto* header = new QLabel(title, parent);
        header->setFrameShape(QFrame::StyledPanel);
        w = header;
        break;
    }
    case Look::Picture: {
        auto* picture = new QLabel(parent);
        picture->setFrameShape(QFrame::Box);
        picture->setBackgroundRole(QPalette::Mid);
        picture->setAutoFillBackground(true);
        w = picture;
        break;
    }
    case Look::Progress: {
        auto* progress = new QProgressBar(parent);
        progress->setValue(50);
        progress->setTextVisible(false);
        w = progress;
        break;
    }
    }
    // Shown, not used: clicks and focus stay with the preview.
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void register_dialog_preview() { attach_editor_window<TbinaPreviewForm>(kDialogTagType); }

} // namespace zephane
