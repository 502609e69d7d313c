#pragma once
// The "Check Workspace" window: the workspace check (workspace/workspace_check.h) run on the
// loaded tags, one row per problem; a double-click opens the tag the row names.

#include "framework/xg_form.h"
#include "workspace/workspace_check.h"

#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephane {

class TZephaneApp;

class TCheckWorkspaceForm : public XGForm {
    Q_OBJECT

public:
    static constexpr int kResource = 168;
    static constexpr int kProblemList = 1;
    static constexpr int kCheckAgain = 2;

    explicit TCheckWorkspaceForm(TZephaneApp& app);
    QSize sizeHint() const override { return {860, 420}; } // room for the list at first

    // Runs the check again (with a progress dialog) and fills the list.
    void check();
    const std::vector<WorkspaceProblem>& problems() const { return problems_; }
    QTreeWidget& list() const { return *list_; }
    // What a double-click on the row does: opens the tag (or shows the file of a file problem).
    void open_row(int row);

private:
    TZephaneApp& app_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    std::vector<WorkspaceProblem> problems_;
};

// The window in front, made when there is none, checked afresh.
TCheckWorkspaceForm& show_check_workspace(TZephaneApp& app);

} // namespace zephane
