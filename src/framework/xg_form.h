#pragma once
// A window of the multi-document area: numbered controls, commands, and the question asked
// before it closes.

#include "framework/xg_controls.h"
#include "framework/xg_dispatch.h"

#include <QWidget>

namespace zephane {

class XGForm : public QWidget, public XGDispatch {
    Q_OBJECT

public:
    explicit XGForm(int resource, QWidget* parent = nullptr);
    int resource() const { return resource_; }

    void register_control(int id, QWidget* control) { controls_.register_control(id, control); }
    QWidget* find_control(int id) const { return controls_.find_control(id); }
    template <typename T> T* control(int id) const { return controls_.control<T>(id); }

    // Asked before the window closes; false keeps it open.
    virtual bool canClose() { return true; }

protected:
    // Asks canClose; an error it raises is reported and keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    int resource_;
    XGControlTable controls_;
};

} // namespace zephane
