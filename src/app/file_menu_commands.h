#pragma once
// The File menu's bulk commands: "Build Foundation Tags..." (a root list built with a
// cancellable progress dialog, then the dependency log), "Update Tag Formats" (every loaded tag
// to its type's current version) and "Build Plugin From Local..." (every tag of 'local' into
// one plugin file).

#include "framework/xg_form.h"

#include <string>

class QLabel;
class QListWidget;

namespace zephane {

class TZephaneApp;

// The log of a foundation build: one row per line, the missing tags in red; clicking one opens
// the tag that references it.
class TDependencyLogForm : public XGForm {
    Q_OBJECT

public:
    static constexpr int kResource = 167;
    TDependencyLogForm(TZephaneApp& app, const QString& summary, const std::string& log_path);
    QSize sizeHint() const override { return {820, 440}; } // room for the list at first
    QListWidget& lines() const { return *lines_; }
    QLabel& summary() const { return *summary_; }
    // Whether the row is a missing tag; opening it opens the referencing tag.
    static bool is_missing_line(const QString& line);
    void open_line(int row);

private:
    TZephaneApp& app_;
    QListWidget* lines_ = nullptr;
    QLabel* summary_ = nullptr;
};

void build_foundation_tags_command(TZephaneApp& app);
void update_tag_formats_command(TZephaneApp& app);
void build_plugin_from_local_command(TZephaneApp& app);

} // namespace zephane
