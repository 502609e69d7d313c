#include "app/file_menu_commands.h"

#include "app/app_texts.h"
#include "app/tag_editor_registry.h"
#include "app/zephane_app.h"
#include "base/posix_file.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_frame.h"
#include "framework/xg_text.h"
#include "tags/foundation_build.h"
#include "workspace/bulk_updates.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <filesystem>

namespace zephane {

namespace {

void tell(TZephaneApp& app, const QString& title, const QString& text) {
    xg_alert(&app.frame(), title, text, {{1, QString::fromLatin1(text::kOk)}}, 1, 1);
}

// A progress dialog whose steps also let the Cancel button be pressed.
class Progress {
public:
    Progress(TZephaneApp& app, const QString& label, bool cancellable)
        : dialog_(label, cancellable ? QStringLiteral("Cancel") : QString(), 0, 0, &app.frame()) {
        dialog_.setObjectName(QStringLiteral("bulkProgress"));
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(300);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
    }
    bool step(std::size_t done, std::size_t total) {
        const int maximum = static_cast<int>(std::min<std::size_t>(total, 1u << 30));
        if (dialog_.maximum() != maximum) dialog_.setMaximum(maximum);
        dialog_.setValue(static_cast<int>(std::min<std::size_t>(total ? std::min(done, total) : done % 100, 1u << 30)));
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

std::string count_text(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

// ---- The dependency log --------------------------------------------------------------------

TDependencyLogForm::TDependencyLogForm(TZephaneApp& app, const QString& summary, const std::string& log_path)
    : XGForm(kResource), app_(app) {
    setWindowTitle(QStringLiteral("Dependency Log"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(summary, this);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    lines_ = new QListWidget(this);
    lines_->setUniformItemSizes(true);
    layout->addWidget(lines_, 1);
    register_control(1, lines_);
    if (const auto bytes = read_whole_file(log_path)) {
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(bytes->data()),
                                                 static_cast<qsizetype>(bytes->size()));
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            auto* item = new QListWidgetItem(line, lines_);
            if (is_missing_line(line)) {
                item->setForeground(QColor(190, 0, 0));
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
                item->setToolTip(QStringLiteral("Click to open the tag that references it"));
            }
        }
    }
    connect(lines_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { open_line(lines_->row(item)); });
}

bool TDependencyLogForm::is_missing_line(const QString& line) { return line.startsWith(QStringLiteral("missing tag ")); }

void TDependencyLogForm::open_line(int row) {
    QListWidgetItem* item = lines_->item(row);
    if (!item || !is_missing_line(item->text())) return;
    // "... (referenced from 'name' (type/id) in file name.tag)"
    static const QRegularExpression from(
        QStringLiteral("\\(referenced from '.*' \\((.{4})/(.{4})\\) in (?:file (.*)|unsaved file)\\)$"));
    const QRegularExpressionMatch match = from.match(item->text());
    if (!match.hasMatch()) return; // a root of the list: nothing references it
    const tag_type type = text_to_tag_id(latin1(match.captured(1)));
    const tag_id id = text_to_tag_id(latin1(match.captured(2)));
    const std::string file_name = latin1(match.captured(3));
    TagEntry* tag = nullptr;
    for (TagEntry* copy : app_.db().find_all_tags(type, id)) {
        const bool named = copy->file->spec ? std::filesystem::path(*copy->file->spec).filename() == file_name
                                            : file_name.empty();
        if (named) {
            tag = copy;
            break;
        }
    }
    if (!tag) tag = app_.db().find_tag(type, id);
    if (!tag) return;
    const bool alternate = !tag_editor_factory(type, false) && tag_editor_factory(type, true);
    run_reporting_errors(this, [&] { app_.openTag(*tag, alternate); });
}

// ---- Build Foundation Tags... (105) --------------------------------------------------------

void build_foundation_tags_command(TZephaneApp& app) {
    FileDialogRequest request;
    request.kind = FileDialogRequest::kOpen;
    request.filter = QStringLiteral("Root Lists|*.txt|All Files|*.*");
    request.folder = QString::fromStdString(app.workspace());
    const std::optional<QString> chosen = xg_choose_file(&app.frame(), request);
    if (!chosen) return;
    const std::string root_list = QFileInfo(*chosen).absoluteFilePath().toStdString();
    if (!read_whole_file(root_list)) {
        tell(app, QStringLiteral("Build Foundation Tags"),
             QStringLiteral("The root list %1 cannot be read.").arg(*chosen));
        return;
    }
    app.flush_changes();
    FoundationBuild build(app.db());
    build.set_staged(true);
    FoundationResult result;
    {
        Progress progress(app, QStringLiteral("Building foundation tags..."), true);
        build.set_progress([&](std::size_t done, std::size_t total) { return progress.step(done, total); });
        result = build.run_foundation_build(root_list, app.workspace());
    }
    app.flush_changes();
    if (result.cancelled) {
        tell(app, QStringLiteral("Build Foundation Tags"),
             QStringLiteral("The build was cancelled; the foundation files in %1 are as they were.")
                 .arg(QString::fromStdString(build.output_folder())));
        return;
    }
    const std::string summary =
        result.complete
            ? count_text(result.small, "small tag", "small tags") + ", " +
                  count_text(result.small_localized, "small localized tag", "small localized tags") + ", " +
                  count_text(result.large, "large tag", "large tags") + ", in " + build.output_folder() + "."
            : "The build stopped: " + result.failure + ". The foundation files are as they were.";
    app.frame().add_form(std::make_unique<TDependencyLogForm>(app, QString::fromStdString(summary), build.log_path()));
}

// ---- Update Tag Formats (107) --------------------------------------------------------------

void update_tag_formats_command(TZephaneApp& app) {
    app.flush_changes();
    FormatUpdateSummary summary;
    {
        Progress progress(app, QStringLiteral("Updating tag formats..."), true);
        summary = update_tag_formats(app.db(), [&](std::size_t done, std::size_t total) {
            return progress.step(done, total);
        });
    }
    app.flush_changes();
    std::string text;
    std::size_t converted = 0;
    for (const auto& [type, count] : summary.converted) {
        text += std::string(text.empty() ? "" : ", ") + std::to_string(count) + " " +
                (count == 1 ? tag_type_name(type) : tag_type_plural_name(type));
        converted += count;
    }
    text = converted == 0 ? "No tag needed converting." : "Converted " + text + ".";
    if (summary.stamped) text += "\n" + count_text(summary.stamped, "tag", "tags") + " never stamped took the current version.";
    if (summary.locked)
        text += "\n" + count_text(summary.locked, "tag", "tags") + " in base files and patches stayed as they are.";
    for (const std::string& failure : summary.failures) text += "\n" + failure;
    if (summary.cancelled) text += "\nCancelled: the tags after these were not updated.";
    text += summary.files.empty() ? "\nNo file needs saving."
                                  : "\n" + count_text(summary.files.size(), "file needs", "files need") + " saving.";
    tell(app, QStringLiteral("Update Tag Formats"), from_latin1(text));
}

// ---- Build Plugin From Local... (16) -------------------------------------------------------

void build_plugin_from_local_command(TZephaneApp& app) {
    FileDialogRequest request;
    request.kind = FileDialogRequest::kSave;
    request.filter = QString::fromLatin1(text::kTagFileFilter);
    request.default_extension = QString::fromLatin1(text::kTagExtension);
    request.proposed = QStringLiteral("local.tag");
    request.folder = QString::fromStdString((std::filesystem::path(app.workspace()) / "plugins").string());
    const std::optional<QString> chosen = xg_choose_file(&app.frame(), request);
    if (!chosen) return;
    app.flush_changes();
    const std::string target = QFileInfo(*chosen).absoluteFilePath().toStdString();
    const LocalPluginSummary summary = build_plugin_from_local(app.db(), app.workspace(), target);
    app.flush_changes();
    std::string text;
    if (!summary.failure.empty()) {
        text = "No plugin was written: " + summary.failure + ".";
    } else {
        text = count_text(summary.written, "tag", "tags") + " from " +
               count_text(summary.local_files, "file", "files") + " of 'local' written to " + target + ".";
        if (summary.hidden)
            text += "\n" + count_text(summary.hidden, "copy", "copies") + " hidden by another local file's copy left out.";
        if (summary.unreadable)
            text += "\n" + count_text(summary.unreadable, "tag", "tags") + " whose payload could not be read left out.";
    }
    tell(app, QStringLiteral("Build Plugin From Local"), from_latin1(text));
}

} // namespace zephane
