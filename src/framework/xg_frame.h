#pragma once
// The main window: menus whose items carry command ids, and a multi-document area holding
// the forms. A command goes to the form in front, then to the application, then to the
// frame's own commands (windows, quit); states are asked for just before a menu opens.

#include "framework/xg_dispatch.h"

#include <QKeySequence>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace zephane {

class XGForm;

namespace frame_command {
inline constexpr int kCloseWindow = 20001;
inline constexpr int kQuit = 20002;
inline constexpr int kCascade = 20003;
inline constexpr int kTile = 20004;
inline constexpr int kFirstWindow = 20200; // one id per open window, in the Window menu
inline constexpr int kLastWindow = 20299;
} // namespace frame_command

struct MenuItem {
    int command = 0; // 0 makes a separator
    QString text;
    QKeySequence shortcut = {};
};

class XGFrame : public QMainWindow, public XGDispatch {
    Q_OBJECT

public:
    explicit XGFrame(XGDispatch& application, QWidget* parent = nullptr);
    ~XGFrame() override;

    QMenu* add_menu(const QString& title, const std::vector<MenuItem>& items);
    void add_items(QMenu* menu, const std::vector<MenuItem>& items);
    // A submenu filled by `fill` each time just before it opens.
    QMenu* add_dynamic_submenu(QMenu* menu, const QString& title, std::function<void(QMenu&)> fill);
    void add_window_menu(const QString& title);
    QAction* action(int command) const;
    // Keys the menus keep even while a text field has the focus (a field would take Ctrl+Z
    // for its own undo otherwise).
    void keep_keys_from_fields(const QList<QKeySequence>& keys);

    // ---- Forms ------------------------------------------------------------------------
    // Shows the form in the multi-document area, in front; the frame owns it from now on.
    XGForm& add_form(std::unique_ptr<XGForm> form);
    void bring_to_front(XGForm& form);
    XGForm* front_form() const;
    std::vector<XGForm*> forms() const;
    // Asks the form (canClose) and closes it; true when it is gone.
    bool close_form(XGForm& form);
    // Closes the form now without asking (the caller has asked already).
    void discard_form(XGForm& form);
    // Asks every form; false when one of them stays open.
    bool close_all_forms();
    // Quitting: asks every form (canQuit, by quit_order) and closes them all only when none
    // answered Cancel; otherwise every window stays open.
    bool close_all_forms_for_quit();

    // ---- Commands ---------------------------------------------------------------------
    CommandState command_state(int command);
    // Runs an enabled command; errors that end it are reported as alerts. False when the
    // command is disabled or nobody handles it.
    bool dispatch(int command);
    // Runs before every command and state query (the application flushes deferred work).
    void set_before_command(std::function<void()> hook) { before_command_ = std::move(hook); }
    // Runs once the user has agreed to quit, before the window closes.
    void set_on_quit(std::function<void()> hook) { on_quit_ = std::move(hook); }
    // Runs when the user asks to quit, once the forms of quit_order 0 (the editors) have
    // answered and before the others are asked.
    void set_before_quit(std::function<void()> hook) { before_quit_ = std::move(hook); }

    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update_menu(QMenu& menu);
    void restore_menu(QMenu& menu);
    void fill_window_menu(QMenu& menu);
    QMdiSubWindow* subwindow_of(const XGForm& form) const;
    void keep_inside_area(QMdiSubWindow& sub) const;

    XGDispatch& application_;
    QMdiArea* area_;
    std::function<void()> before_command_;
    std::function<void()> on_quit_;
    std::function<void()> before_quit_;
    QList<QAction*> window_actions_;
    QList<QKeySequence> kept_keys_;
};

} // namespace zephane
