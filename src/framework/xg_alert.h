#pragma once
// Alerts: a title, a text and a row of numbered buttons; the answer is the button's id.
// User errors and internal errors that end a command are reported the same way.

#include <QString>
#include <QStringList>
#include <exception>
#include <vector>

class QWidget;

namespace zephane {

inline constexpr int kAlertResource = 129;
inline constexpr int kAlertTextControl = 0; // buttons never use 0

struct AlertButton {
    int id;
    QString text;
};

// Replaces "^0" ... "^9" in the text by the parameters.
QString param_text(const QString& text, const QStringList& params);

// Shows the alert and returns the id of the button pressed; Escape answers cancel_id.
int xg_alert(QWidget* parent, const QString& title, const QString& text,
             const std::vector<AlertButton>& buttons, int default_id, int cancel_id);

// The one-button alert that reports why a command ended.
void report_exception(QWidget* parent, const std::exception& error);

// Runs work started outside the command dispatch (a double-click, a drop, a key), reporting
// an error that ends it the way dispatch does. False when it ended with an error.
template <typename Work> bool run_reporting_errors(QWidget* parent, Work&& work) {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        report_exception(parent, error);
        return false;
    }
}

} // namespace zephane
