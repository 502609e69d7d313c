#include "framework/xg_form.h"

#include "framework/xg_alert.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

namespace zephane {

XGForm::XGForm(int resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

void XGForm::closeEvent(QCloseEvent* event) {
    bool may_close = answered_;
    if (!may_close) try {
        may_close = canClose();
    } catch (const std::exception& error) {
        report_exception(this, error);
    }
    if (may_close)
        event->accept();
    else
        event->ignore();
}

QPushButton* XGForm::add_button(int id, const QString& text, QWidget* parent, std::function<void()> action) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    register_control(id, button);
    connect(button, &QPushButton::clicked, this,
            [this, action = std::move(action)] { run_reporting_errors(this, action); });
    return button;
}

QCheckBox* XGForm::add_check_box(int id, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    register_control(id, box);
    return box;
}

} // namespace zephane
