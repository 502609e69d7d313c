#pragma once
// What the program remembers between runs: recent files, the main window's geometry and the
// last workspace (organisation "Morvandel").

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace zephane {

class AppSettings {
public:
    static constexpr int kMaxRecentFiles = 10;

    // An empty path means the user's own settings; tests give a file of their own.
    explicit AppSettings(const QString& file = {});

    QStringList recent_files() const;
    void add_recent_file(const QString& path);
    void remove_recent_file(const QString& path);
    void clear_recent_files();

    QString last_workspace() const;
    void set_last_workspace(const QString& folder);

    QByteArray main_geometry() const;
    QByteArray main_state() const;
    void set_main_window(const QByteArray& geometry, const QByteArray& state);

    void sync() { settings_->sync(); }

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace zephane
