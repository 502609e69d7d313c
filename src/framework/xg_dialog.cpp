#include "framework/xg_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <utility>

namespace zephane {

namespace {
XGDialog::ModalHook& modal_hook() {
    static XGDialog::ModalHook hook;
    return hook;
}
} // namespace

XGDialog::XGDialog(int resource, const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      resource_(resource) {
    setWindowTitle(title);
    setModal(true);
}

QPushButton* XGDialog::make_end_button(int id, const QString& text, bool is_default) {
    auto* button = new QPushButton(text, this);
    button->setDefault(is_default);
    button->setAutoDefault(is_default);
    connect(button, &QPushButton::clicked, this, [this, id] { end(id); });
    register_control(id, button);
    return button;
}

QPushButton* XGDialog::add_end_buttons(QBoxLayout& layout, int cancel_id, const QString& cancel,
                                       int default_id, const QString& text) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(make_end_button(cancel_id, cancel));
    QPushButton* chosen = make_end_button(default_id, text, true);
    buttons->addWidget(chosen);
    layout.addLayout(buttons);
    return chosen;
}

int XGDialog::run() {
    ended_ = cancel_id_;
    if (modal_hook()) {
        QPointer<XGDialog> self(this);
        QTimer::singleShot(0, this, [self] {
            if (!self || !modal_hook()) return;
            modal_hook()(*self);
            if (self && self->isVisible()) self->end(self->cancel_id_);
        });
    }
    exec();
    return ended_;
}

void XGDialog::end(int id) {
    ended_ = id;
    done(id);
}

void XGDialog::reject() {
    end(cancel_id_);
}

bool XGDialog::click(int id) {
    auto* button = control<QAbstractButton>(id);
    if (!button || !button->isEnabled()) return false;
    button->click();
    return true;
}

bool XGDialog::type_text(int id, const QString& text) {
    auto* edit = control<QLineEdit>(id);
    if (!edit || !edit->isEnabled()) return false;
    edit->setText(text);
    emit edit->textEdited(text);
    return true;
}

bool XGDialog::choose_row(int id, int row) {
    if (auto* popup = control<QComboBox>(id)) {
        if (!popup->isEnabled() || row < 0 || row >= popup->count()) return false;
        popup->setCurrentIndex(row);
        emit popup->activated(row);
        return true;
    }
    auto* list = control<QListWidget>(id);
    if (!list || !list->isEnabled()) return false;
    list->setCurrentRow(row);
    return true;
}

QString XGDialog::text_of(int id) const {
    if (const auto* edit = control<QLineEdit>(id)) return edit->text();
    if (const auto* label = control<QLabel>(id)) return label->text();
    if (const auto* button = control<QAbstractButton>(id)) return button->text();
    if (const auto* popup = control<QComboBox>(id)) return popup->currentText();
    return {};
}

bool XGDialog::is_enabled(int id) const {
    const QWidget* widget = find_control(id);
    return widget && widget->isEnabled();
}

XGDialog::ModalHook XGDialog::set_modal_hook(ModalHook hook) {
    return std::exchange(modal_hook(), std::move(hook));
}

} // namespace zephane
