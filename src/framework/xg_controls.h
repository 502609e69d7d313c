#pragma once
// Controls registered under their numeric ids, so windows, dialogs and tests address them
// by number.

#include <QPointer>
#include <QWidget>
#include <unordered_map>

namespace zephane {

class XGControlTable {
public:
    void register_control(int id, QWidget* control) { controls_[id] = control; }
    QWidget* find_control(int id) const {
        const auto it = controls_.find(id);
        return it == controls_.end() ? nullptr : it->second.data();
    }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(find_control(id)); }

private:
    std::unordered_map<int, QPointer<QWidget>> controls_;
};

} // namespace zephane
