#include "framework/xg_form.h"

#include "framework/xg_alert.h"

#include <QCloseEvent>

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

} // namespace zephane
