#pragma once
// Modal dialogs built in code: numbered controls, and buttons that end the dialog with their
// own id, which run() returns.

#include "framework/xg_controls.h"

#include <QDialog>
#include <functional>

class QAbstractButton;
class QBoxLayout;
class QPushButton;

namespace zephane {

class XGDialog : public QDialog {
    Q_OBJECT

public:
    XGDialog(int resource, const QString& title, QWidget* parent);
    int resource() const { return resource_; }

    void register_control(int id, QWidget* control) { controls_.register_control(id, control); }
    QWidget* find_control(int id) const { return controls_.find_control(id); }
    template <typename T> T* control(int id) const { return controls_.control<T>(id); }

    // A push button that ends the dialog with its id.
    QPushButton* make_end_button(int id, const QString& text, bool is_default = false);
    // The usual last row: the cancel button, then the default one, at the right of `layout`.
    // Returns the default button.
    QPushButton* add_end_buttons(QBoxLayout& layout, int cancel_id, const QString& cancel,
                                 int default_id, const QString& text);
    // The id that Escape and the window's close box end the dialog with.
    void set_cancel_id(int id) { cancel_id_ = id; }
    int cancel_id() const { return cancel_id_; }

    // Shows the dialog modally; the id of the button that ended it.
    int run();
    void end(int id);
    int ended_with() const { return ended_; }

    // What a user does, by control id: press a button (or choose a radio button or check
    // box), type into an edit field, pick a row of a list or an entry of a popup.
    bool click(int id);
    bool type_text(int id, const QString& text);
    bool choose_row(int id, int row);
    QString text_of(int id) const;
    bool is_enabled(int id) const;

    // Tests answer dialogs through this hook: it runs as soon as a dialog is up, and a dialog
    // it leaves open ends as if cancelled. Returns the previous hook.
    using ModalHook = std::function<void(XGDialog&)>;
    static ModalHook set_modal_hook(ModalHook hook);

protected:
    void reject() override;

private:
    int resource_;
    int cancel_id_ = 0;
    int ended_ = 0;
    XGControlTable controls_;
};

} // namespace zephane
