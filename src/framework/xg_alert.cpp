#include "framework/xg_alert.h"

#include "framework/xg_dialog.h"
#include "base/errors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zephane {

QString param_text(const QString& text, const QStringList& params) {
    QString out;
    out.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == QLatin1Char('^') && k + 1 < text.size() && text[k + 1].isDigit()) {
            const int index = text[k + 1].digitValue();
            if (index < params.size()) out += params[index];
            ++k;
            continue;
        }
        out += text[k];
    }
    return out;
}

int xg_alert(QWidget* parent, const QString& title, const QString& text,
             const std::vector<AlertButton>& buttons, int default_id, int cancel_id) {
    XGDialog dialog(kAlertResource, title, parent);
    dialog.set_cancel_id(cancel_id);
    auto* layout = new QVBoxLayout(&dialog);
    auto* body = new QHBoxLayout;
    auto* icon = new QLabel(&dialog);
    const int size = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dialog.register_control(kAlertTextControl, label);
    body->addWidget(icon);
    body->addWidget(label, 1);
    layout->addLayout(body);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const AlertButton& button : buttons)
        row->addWidget(dialog.make_end_button(button.id, button.text, button.id == default_id));
    layout->addLayout(row);
    return dialog.run();
}

void report_exception(QWidget* parent, const std::exception& error) {
    QString title = QStringLiteral("Error");
    QString text = QString::fromLocal8Bit(error.what());
    if (const auto* internal = dynamic_cast<const InternalError*>(&error)) {
        title = QStringLiteral("Internal Error");
        text = QStringLiteral("\"%1\" failed in %2, line %3.")
                   .arg(QString::fromStdString(internal->expression()),
                        QString::fromStdString(internal->module()))
                   .arg(internal->line());
    } else if (dynamic_cast<const AssertionFailure*>(&error)) {
        title = QStringLiteral("Assertion Failure");
    }
    xg_alert(parent, title, text, {{1, QStringLiteral("OK")}}, 1, 1);
}

} // namespace zephane
