#include "framework/xg_frame.h"

#include <algorithm>

#include "framework/xg_alert.h"
#include "framework/xg_form.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace zephane {

namespace {
// The text an item was made with, given back when the command names none.
constexpr const char* kMenuTextProperty = "zephane_menu_text";
} // namespace

XGFrame::XGFrame(XGDispatch& application, QWidget* parent)
    : QMainWindow(parent), application_(application), area_(new QMdiArea(this)) {
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
}

XGFrame::~XGFrame() {
    // Forms go before the frame's members, while the application they point into exists.
    for (QMdiSubWindow* sub : area_->subWindowList()) delete sub;
}

QMenu* XGFrame::add_menu(const QString& title, const std::vector<MenuItem>& items) {
    QMenu* menu = menuBar()->addMenu(title);
    add_items(menu, items);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { update_menu(*menu); });
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { restore_menu(*menu); });
    return menu;
}

void XGFrame::add_items(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* act = menu->addAction(item.text);
        act->setData(item.command);
        act->setProperty(kMenuTextProperty, item.text);
        act->setShortcut(item.shortcut);
        // Shortcuts reach windows such as the main window's children too.
        act->setShortcutContext(Qt::WindowShortcut);
        const int command = item.command;
        connect(act, &QAction::triggered, this, [this, command] { dispatch(command); });
    }
}

QMenu* XGFrame::add_dynamic_submenu(QMenu* menu, const QString& title,
                                    std::function<void(QMenu&)> fill) {
    QMenu* sub = menu->addMenu(title);
    connect(sub, &QMenu::aboutToShow, this, [this, sub, fill = std::move(fill)] {
        sub->clear();
        fill(*sub);
        update_menu(*sub);
    });
    return sub;
}

void XGFrame::add_window_menu(const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        fill_window_menu(*menu);
        update_menu(*menu);
    });
    fill_window_menu(*menu);
}

void XGFrame::fill_window_menu(QMenu& menu) {
    menu.clear();
    add_items(&menu,
              {{frame_command::kCascade, tr("&Cascade")}, {frame_command::kTile, tr("&Tile")}});
    const auto subs = area_->subWindowList();
    if (!subs.isEmpty()) menu.addSeparator();
    std::vector<MenuItem> items;
    for (qsizetype k = 0;
         k < subs.size() && frame_command::kFirstWindow + k <= frame_command::kLastWindow; ++k) {
        const QString number = k < 9 ? QStringLiteral("&%1 ").arg(k + 1) : QString();
        items.push_back(
            {frame_command::kFirstWindow + static_cast<int>(k), number + subs[k]->windowTitle()});
    }
    add_items(&menu, items);
}

QAction* XGFrame::action(int command) const {
    for (QAction* act : findChildren<QAction*>())
        if (act->data().toInt() == command) return act;
    return nullptr;
}

void XGFrame::keep_keys_from_fields(const QList<QKeySequence>& keys) {
    if (kept_keys_.isEmpty() && !keys.isEmpty()) qApp->installEventFilter(this);
    kept_keys_ += keys;
}

bool XGFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (kept_keys_.contains(pressed)) {
            // Not taken by the focus widget: the shortcut goes to the menu's action.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void XGFrame::update_menu(QMenu& menu) {
    for (QAction* act : menu.actions()) {
        if (act->isSeparator() || act->menu() || !act->data().isValid()) continue;
        const CommandState state = command_state(act->data().toInt());
        act->setEnabled(state.enabled);
        act->setText(state.text.isEmpty() ? act->property(kMenuTextProperty).toString()
                                          : state.text);
        act->setCheckable(state.checked);
        act->setChecked(state.checked);
    }
}

void XGFrame::restore_menu(QMenu& menu) {
    // Keyboard shortcuts only reach enabled actions; dispatch asks for the state itself.
    for (QAction* act : menu.actions())
        if (!act->isSeparator() && !act->menu()) act->setEnabled(true);
}

// ---- Forms -----------------------------------------------------------------------------

XGForm& XGFrame::add_form(std::unique_ptr<XGForm> form) {
    XGForm& ref = *form;
    QMdiSubWindow* sub = area_->addSubWindow(form.release());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(ref.windowIcon());
    // The window's own menu would claim Ctrl+W too, and two claims on a key cancel each
    // other: File > Close keeps it.
    if (QMenu* menu = sub->systemMenu()) {
        for (QAction* act : menu->actions()) {
            QList<QKeySequence> keys = act->shortcuts();
            if (keys.removeAll(QKeySequence(QStringLiteral("Ctrl+W"))) > 0) act->setShortcuts(keys);
        }
    }
    sub->show();
    keep_inside_area(*sub);
    area_->setActiveSubWindow(sub);
    ref.setFocus();
    return ref;
}

void XGFrame::keep_inside_area(QMdiSubWindow& sub) const {
    // The area places a new window where it overlaps others least, which for a big window
    // can be partly outside the area: move it in, and make it no larger than the area.
    const QSize room = area_->viewport()->size();
    QRect frame = sub.geometry();
    frame.setSize(frame.size().boundedTo(room));
    frame.moveLeft(std::clamp(frame.left(), 0, room.width() - frame.width()));
    frame.moveTop(std::clamp(frame.top(), 0, room.height() - frame.height()));
    if (frame != sub.geometry()) sub.setGeometry(frame);
}

QMdiSubWindow* XGFrame::subwindow_of(const XGForm& form) const {
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->widget() == &form) return sub;
    return nullptr;
}

void XGFrame::bring_to_front(XGForm& form) {
    if (QMdiSubWindow* sub = subwindow_of(form)) {
        if (sub->isMinimized()) sub->showNormal();
        area_->setActiveSubWindow(sub);
        form.setFocus();
    }
}

XGForm* XGFrame::front_form() const {
    QMdiSubWindow* sub = area_->currentSubWindow();
    return sub ? qobject_cast<XGForm*>(sub->widget()) : nullptr;
}

std::vector<XGForm*> XGFrame::forms() const {
    std::vector<XGForm*> out;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (auto* form = qobject_cast<XGForm*>(sub->widget())) out.push_back(form);
    return out;
}

bool XGFrame::close_form(XGForm& form) {
    QMdiSubWindow* sub = subwindow_of(form);
    if (!sub) return false;
    if (!sub->close()) return false;
    delete sub;
    return true;
}

void XGFrame::discard_form(XGForm& form) {
    if (QMdiSubWindow* sub = subwindow_of(form)) {
        delete sub;
    }
}

bool XGFrame::close_all_forms() {
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->close()) return false;
        delete sub;
    }
    return true;
}

bool XGFrame::close_all_forms_for_quit() {
    std::vector<XGForm*> asked;
    const auto forget_answers = [&] {
        for (XGForm* form : asked) form->set_answered(false);
    };
    const auto ask = [&](XGForm& form) {
        bool agreed = false;
        try {
            agreed = form.canQuit();
        } catch (const std::exception& error) {
            report_exception(this, error);
        }
        if (agreed) {
            form.set_answered(true);
            asked.push_back(&form);
        }
        return agreed;
    };
    // The editors (quit order 0) first or the rest, each form once.
    const auto ask_forms = [&](bool editors) {
        for (XGForm* form : forms()) {
            if ((form->quit_order() == 0) != editors) continue;
            if (std::find(asked.begin(), asked.end(), form) != asked.end()) continue;
            if (!ask(*form)) return false;
        }
        return true;
    };
    if (!ask_forms(true)) {
        forget_answers();
        return false;
    }
    if (before_quit_) {
        try {
            before_quit_();
        } catch (const std::exception& error) {
            report_exception(this, error);
        }
    }
    if (!ask_forms(false)) {
        forget_answers();
        return false;
    }
    return close_all_forms();
}

// ---- Commands --------------------------------------------------------------------------

CommandState XGFrame::command_state(int command) {
    CommandState state;
    try {
        if (before_command_) before_command_();
        XGForm* front = front_form();
        if (front && front->command_status(command, state)) return state;
        if (application_.command_status(command, state)) return state;
        command_status(command, state);
    } catch (const std::exception& error) {
        report_exception(this, error);
    }
    return state;
}

bool XGFrame::dispatch(int command) {
    if (!command_state(command).enabled) return false;
    try {
        if (before_command_) before_command_();
        XGForm* front = front_form();
        if (front && front->do_command(command)) return true;
        if (application_.do_command(command)) return true;
        return do_command(command);
    } catch (const std::exception& error) {
        report_exception(this, error);
    }
    return true;
}

bool XGFrame::command_status(int command, CommandState& state) {
    const auto subs = area_->subWindowList();
    switch (command) {
    case frame_command::kCloseWindow:
    case frame_command::kCascade:
    case frame_command::kTile:
        state.enabled = !subs.isEmpty();
        return true;
    case frame_command::kQuit:
        state.enabled = true;
        return true;
    default:
        break;
    }
    if (command >= frame_command::kFirstWindow && command <= frame_command::kLastWindow) {
        const qsizetype index = command - frame_command::kFirstWindow;
        state.enabled = index < subs.size();
        state.checked = state.enabled && subs[index] == area_->currentSubWindow();
        return true;
    }
    return false;
}

bool XGFrame::do_command(int command) {
    const auto subs = area_->subWindowList();
    switch (command) {
    case frame_command::kCloseWindow:
        if (XGForm* front = front_form()) close_form(*front);
        return true;
    case frame_command::kCascade:
        area_->cascadeSubWindows();
        return true;
    case frame_command::kTile:
        area_->tileSubWindows();
        return true;
    case frame_command::kQuit:
        close();
        return true;
    default:
        break;
    }
    if (command >= frame_command::kFirstWindow && command <= frame_command::kLastWindow) {
        const qsizetype index = command - frame_command::kFirstWindow;
        if (index >= subs.size()) return false;
        if (auto* form = qobject_cast<XGForm*>(subs[index]->widget())) bring_to_front(*form);
        return true;
    }
    return false;
}

void XGFrame::closeEvent(QCloseEvent* event) {
    if (!close_all_forms_for_quit()) {
        event->ignore();
        return;
    }
    if (on_quit_) on_quit_();
    event->accept();
}

} // namespace zephane
