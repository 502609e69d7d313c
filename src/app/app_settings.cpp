#include "app/app_settings.h"

#include "app/app_texts.h"

namespace zephane {

namespace {
const QString kRecentFiles = QStringLiteral("recentFiles");
const QString kLastWorkspace = QStringLiteral("lastWorkspace");
const QString kGeometry = QStringLiteral("mainWindow/geometry");
const QString kState = QStringLiteral("mainWindow/state");
} // namespace

AppSettings::AppSettings(const QString& file)
    : settings_(file.isEmpty()
                    ? std::make_unique<QSettings>(QString::fromLatin1(text::kProductName),
                                                  QString::fromLatin1(text::kApplicationName))
                    : std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

QStringList AppSettings::recent_files() const {
    return settings_->value(kRecentFiles).toStringList();
}

void AppSettings::add_recent_file(const QString& path) {
    QStringList files = recent_files();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles) files.removeLast();
    settings_->setValue(kRecentFiles, files);
}

void AppSettings::remove_recent_file(const QString& path) {
    QStringList files = recent_files();
    files.removeAll(path);
    settings_->setValue(kRecentFiles, files);
}

void AppSettings::clear_recent_files() {
    settings_->remove(kRecentFiles);
}

QString AppSettings::last_workspace() const {
    return settings_->value(kLastWorkspace).toString();
}

void AppSettings::set_last_workspace(const QString& folder) {
    settings_->setValue(kLastWorkspace, folder);
}

QByteArray AppSettings::main_geometry() const {
    return settings_->value(kGeometry).toByteArray();
}
QByteArray AppSettings::main_state() const {
    return settings_->value(kState).toByteArray();
}

void AppSettings::set_main_window(const QByteArray& geometry, const QByteArray& state) {
    settings_->setValue(kGeometry, geometry);
    settings_->setValue(kState, state);
}

} // namespace zephane
