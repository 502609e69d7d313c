#include "ui_support.h"

#include "framework/xg_frame.h"
#include "tags/tag_types.h"

#include <QCoreApplication>
#include <QTest>

namespace zephane::uitest {

std::vector<std::uint8_t> current_file(std::int16_t kind, std::vector<test::TestTag> tags) {
    for (test::TestTag& tag : tags) tag.version = tag_type_version(tag.type);
    return test::monolithic_file(kind, tags);
}

std::vector<std::uint8_t> current_single(test::TestTag tag) {
    tag.version = tag_type_version(tag.type);
    return test::single_tag_file(tag);
}

DialogScript::DialogScript(std::vector<Answer> answers) : answers_(answers.begin(), answers.end()) {
    previous_ = XGDialog::set_modal_hook([this](XGDialog& dialog) {
        titles_.push_back(dialog.windowTitle());
        if (answers_.empty()) {
            ADD_FAILURE() << "a dialog nobody expected: " << dialog.windowTitle().toStdString();
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(dialog);
    });
}

DialogScript::~DialogScript() {
    XGDialog::set_modal_hook(std::move(previous_));
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected dialogs never came";
}

DialogScript::Answer press(int id) {
    return [id](XGDialog& dialog) { EXPECT_TRUE(dialog.click(id)) << "button " << id; };
}

FileScript::FileScript(std::vector<std::optional<QString>> answers) {
    // Kept as (chosen, path): g++ 12 misreads copies of optional<QString> as uninitialised.
    for (const std::optional<QString>& answer : answers)
        answers_.emplace_back(answer.has_value(), answer.value_or(QString()));
    previous_ =
        set_file_dialog_hook([this](const FileDialogRequest& request) -> std::optional<QString> {
            requests_.push_back(request);
            if (answers_.empty()) {
                ADD_FAILURE() << "a file dialog nobody expected";
                return std::nullopt;
            }
            const auto [chosen, path] = answers_.front();
            answers_.pop_front();
            if (!chosen) return std::nullopt;
            return path;
        });
}

FileScript::~FileScript() {
    set_file_dialog_hook(std::move(previous_));
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected file dialogs never came";
}

void attach_test_editor(tag_type type, bool with_alternate) {
    TagEditorFactory alternate;
    if (with_alternate) {
        alternate = [](TagDatabase& db, TagEntry& tag) -> std::unique_ptr<TagEditorWindow> {
            auto editor = std::make_unique<TestEditor>(db, tag);
            editor->alternate = true;
            return editor;
        };
    }
    attach_tag_editor(
        type, [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TestEditor>(db, tag); },
        std::move(alternate));
}

void AppFixture::TearDown() {
    app.reset();
    detach_all_tag_operations();
    detach_all_tag_editors();
}

TZephaneApp& AppFixture::make_app() {
    AppOptions options;
    options.workspace = folder.path().string();
    options.program_folder = folder.path().string();
    options.settings_file = QString::fromStdString((folder.path() / "settings.ini").string());
    app = std::make_unique<TZephaneApp>(options);
    app->frame().show();
    app->frame().activateWindow(); // keyboard shortcuts reach the active window only
    QCoreApplication::processEvents();
    return *app;
}

std::string AppFixture::write(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
    return folder.write(relative, bytes);
}

TTagFileForm& AppFixture::open_file(const std::string& path) {
    TagFile* file = app->db().read_tag_file(path, false);
    EXPECT_NE(file, nullptr) << path;
    return app->show_file_form(*file);
}

bool AppFixture::run_command(XGForm& form, int command) {
    app->frame().bring_to_front(form);
    return app->frame().dispatch(command);
}

bool AppFixture::command_enabled(XGForm& form, int command) {
    app->frame().bring_to_front(form);
    return app->frame().command_state(command).enabled;
}

void AppFixture::settle() {
    for (int k = 0; k < 3; ++k) QCoreApplication::processEvents();
}

namespace {
void walk(const TreeRow* row, std::vector<const TreeRow*>& out) {
    for (; row; row = row->next_sibling) {
        out.push_back(row);
        walk(row->first_child, out);
    }
}
std::vector<const TreeRow*> all_rows(const TTreeView& tree) {
    std::vector<const TreeRow*> out;
    walk(tree.first_row(), out);
    return out;
}
} // namespace

std::vector<std::string> all_labels(const TTreeView& tree) {
    std::vector<std::string> out;
    for (const TreeRow* row : all_rows(tree)) out.push_back(row->label);
    return out;
}

std::vector<std::string> visible_labels(const TTreeView& tree) {
    std::vector<std::string> out;
    for (const TreeRow* row : tree.visible_rows()) out.push_back(row->label);
    return out;
}

TreeRow* row_starting(const TTreeView& tree, const std::string& text) {
    for (const TreeRow* row : all_rows(tree))
        if (row->label.rfind(text, 0) == 0) return const_cast<TreeRow*>(row);
    return nullptr;
}

void select_rows(TTreeView& tree, const std::vector<std::string>& starts) {
    tree.clear_selection();
    for (const std::string& start : starts) {
        TreeRow* row = row_starting(tree, start);
        ASSERT_NE(row, nullptr) << start;
        tree.select(*row, true);
    }
}

} // namespace zephane::uitest
