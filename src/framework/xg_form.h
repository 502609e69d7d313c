#pragma once
// A window of the multi-document area: numbered controls, commands, and the question asked
// before it closes.

#include "framework/xg_controls.h"
#include "framework/xg_dispatch.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QPushButton;

namespace zephane {

class XGForm : public QWidget, public XGDispatch {
    Q_OBJECT

public:
    explicit XGForm(int resource, QWidget* parent = nullptr);
    int resource() const { return resource_; }

    void register_control(int id, QWidget* control) { controls_.register_control(id, control); }
    QWidget* find_control(int id) const { return controls_.find_control(id); }
    template <typename T> T* control(int id) const { return controls_.control<T>(id); }
    // Numbered controls made in one step: a push button (never the default) whose click runs
    // action, reporting an error that ends it, and a check box.
    QPushButton* add_button(int id, const QString& text, QWidget* parent, std::function<void()> action);
    QCheckBox* add_check_box(int id, const QString& text, QWidget* parent);

    // Asked before the window closes; false keeps it open.
    virtual bool canClose() { return true; }
    // Quitting asks every window before any of them closes: false (Cancel) keeps them all.
    // What an answer does that cannot be taken back (throwing changes away) waits until every
    // window has answered; windows whose question comes later (files, after the editors that
    // apply into them) have a higher quit_order.
    virtual bool canQuit() { return canClose(); }
    virtual int quit_order() const { return 0; }
    // Set by the frame once the window has answered for quitting: closing no longer asks.
    void set_answered(bool answered) { answered_ = answered; }

protected:
    // Asks canClose; an error it raises is reported and keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    int resource_;
    bool answered_ = false;
    XGControlTable controls_;
};

} // namespace zephane
