#pragma once
// Helpers for driving windows as a user does: an application on a scratch workspace, scripted
// answers to dialogs and file choosers, rows found by their labels.

#include "app/tag_editor_registry.h"
#include "app/tag_file_form.h"
#include "app/tree_view.h"
#include "app/zephane_app.h"
#include "framework/xg_dialog.h"
#include "framework/xg_file_dialog.h"
#include "support/test_support.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zephane::uitest {

// Tag files whose tags carry their type's current version (as saved by this program), so
// opening them converts nothing.
std::vector<std::uint8_t> current_file(std::int16_t kind, std::vector<test::TestTag> tags);
std::vector<std::uint8_t> current_single(test::TestTag tag);

// Answers the dialogs a test expects, in order. A dialog nobody expected is cancelled and
// fails the test; so does an expected one that never came.
class DialogScript {
public:
    using Answer = std::function<void(XGDialog&)>;
    explicit DialogScript(std::vector<Answer> answers = {});
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    void expect(Answer answer) { answers_.push_back(std::move(answer)); }
    const std::vector<QString>& titles() const { return titles_; }
    std::size_t pending() const { return answers_.size(); }

private:
    std::deque<Answer> answers_;
    std::vector<QString> titles_;
    XGDialog::ModalHook previous_;
};

// An answer that presses one button.
DialogScript::Answer press(int id);

// Answers file dialogs in order (nothing = cancel) and keeps the requests.
class FileScript {
public:
    explicit FileScript(std::vector<std::optional<QString>> answers);
    ~FileScript();
    const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::deque<std::pair<bool, QString>> answers_;
    std::vector<FileDialogRequest> requests_;
    FileDialogHook previous_;
};

// An editor for tests: counts reloads and can refuse to close.
class TestEditor : public TagEditorWindow {
public:
    TestEditor(TagDatabase& db, TagEntry& tag) : TagEditorWindow(1000, db, tag) {}
    void reload() override { ++reloads; }
    bool canClose() override { return may_close; }
    int reloads = 0;
    bool may_close = true;
    bool alternate = false;
};
// Attaches TestEditor as the type's editor (and, with alternate, as its alternate editor).
void attach_test_editor(tag_type type, bool with_alternate = false);

class AppFixture : public ::testing::Test {
protected:
    void TearDown() override;
    // The application on the scratch workspace (not started: tests start it when they need to).
    TZephaneApp& make_app();
    // Writes a tag file under the workspace and returns its path.
    std::string write(const std::string& relative, const std::vector<std::uint8_t>& bytes);
    TTagFileForm& open_file(const std::string& path);
    void settle(); // lets posted events and timers run
    // Runs a command in the window as the menus do (the window comes to the front first), and
    // the command's state there.
    bool run_command(XGForm& form, int command);
    bool command_enabled(XGForm& form, int command);

    test::ScratchFolder folder;
    std::unique_ptr<TZephaneApp> app;
};

// Every row in display order (hidden children included), as labels.
std::vector<std::string> all_labels(const TTreeView& tree);
// The visible rows' labels.
std::vector<std::string> visible_labels(const TTreeView& tree);
// The first row (hidden or not) whose label starts with the text.
TreeRow* row_starting(const TTreeView& tree, const std::string& text);
// Selects the rows whose labels start with the texts, as a Ctrl-click would.
void select_rows(TTreeView& tree, const std::vector<std::string>& starts);

} // namespace zephane::uitest
