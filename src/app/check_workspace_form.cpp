#include "app/check_workspace_form.h"

#include "app/tag_editor_registry.h"
#include "app/tag_file_form.h"
#include "app/zephane_app.h"
#include "framework/xg_frame.h"
#include "framework/xg_alert.h"

#include "framework/xg_text.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zephane {

namespace {

TagFile* loaded_file(TagDatabase& db, const std::string& spec) {
    for (TagFile& file : db.files())
        if (file.spec && *file.spec == spec) return &file;
    return nullptr;
}

} // namespace

TCheckWorkspaceForm::TCheckWorkspaceForm(TZephaneApp& app) : XGForm(kResource), app_(app) {
    setWindowTitle(QStringLiteral("Check Workspace"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    summary_ = new QLabel(this);
    auto* again = new QPushButton(QStringLiteral("Check Again"), this);
    top->addWidget(summary_, 1);
    top->addWidget(again);
    layout->addLayout(top);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Tag"), QStringLiteral("Problem"),
                            QStringLiteral("Message")});
    list_->header()->setStretchLastSection(true);
    layout->addWidget(list_, 1);
    register_control(kProblemList, list_);
    register_control(kCheckAgain, again);
    connect(again, &QPushButton::clicked, this, [this] { check(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        open_row(list_->indexOfTopLevelItem(item));
    });
}

void TCheckWorkspaceForm::check() {
    app_.flush_changes();
    QProgressDialog progress(QStringLiteral("Checking the workspace..."), QString(), 0, 1, this);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    problems_ = check_workspace(app_.db(), app_.workspace(), [&](std::size_t done, std::size_t total) {
        progress.setMaximum(static_cast<int>(std::min<std::size_t>(total, 1u << 30)));
        progress.setValue(static_cast<int>(std::min(done, total)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const WorkspaceProblem& problem : problems_) {
        auto* item = new QTreeWidgetItem(
            {QString::fromStdString(problem.file), from_latin1(workspace_problem_tag_text(problem)),
             QString::fromLatin1(workspace_problem_kind_name(problem.kind)),
             from_latin1(problem.message)});
        item->setToolTip(3, item->text(3));
        items.push_back(item);
    }
    list_->addTopLevelItems(items);
    for (int column = 0; column < 3; ++column) list_->resizeColumnToContents(column);
    summary_->setText(problems_.empty() ? QStringLiteral("No problems found.")
                      : problems_.size() == 1
                          ? QStringLiteral("1 problem.")
                          : QStringLiteral("%1 problems.").arg(problems_.size()));
}

void TCheckWorkspaceForm::open_row(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= problems_.size()) return;
    const WorkspaceProblem& problem = problems_[static_cast<std::size_t>(row)];
    TagFile* file = loaded_file(app_.db(), problem.spec);
    if (!file) return; // a file loading skipped: nothing to open
    TagEntry* tag = problem.has_tag ? app_.db().find_tag_in_file(*file, problem.type, problem.id) : nullptr;
    if (!tag) {
        app_.show_file_form(*file);
        return;
    }
    const tag_type type = TagDatabase::get_tag_type(*tag);
    const bool alternate = !tag_editor_factory(type, false) && tag_editor_factory(type, true);
    run_reporting_errors(this, [&] { app_.openTag(*tag, alternate); });
}

TCheckWorkspaceForm& show_check_workspace(TZephaneApp& app) {
    TCheckWorkspaceForm* form = nullptr;
    for (XGForm* open : app.frame().forms())
        if (auto* found = dynamic_cast<TCheckWorkspaceForm*>(open)) form = found;
    if (!form) form = &static_cast<TCheckWorkspaceForm&>(
                   app.frame().add_form(std::make_unique<TCheckWorkspaceForm>(app)));
    else app.frame().bring_to_front(*form);
    form->check();
    return *form;
}

} // namespace zephane
