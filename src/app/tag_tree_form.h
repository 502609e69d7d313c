#pragma once
// What the tag file window and the all-tags window share: form 128 (the tree, control 1,
// with a filter box above it, control 2), rows built from tags, revealing a tag, the
// selection as a set of tags, and the commands both windows offer (Open Tag, Tag Info,
// Find Duplicates).

#include "app/tag_rows.h"
#include "app/tree_view.h"
#include "framework/xg_form.h"

#include <QTimer>
#include <vector>

class QLineEdit;

namespace zephane {

class TZephaneApp;

class TTagTreeForm : public XGForm, public TreeClient {
    Q_OBJECT

public:
    static constexpr int kResource = 128;
    static constexpr int kTreeControl = 1;
    static constexpr int kFilterControl = 2;
    static constexpr std::size_t kMaxNotedGroups = 128;

    explicit TTagTreeForm(TZephaneApp& app);
    ~TTagTreeForm() override;

    TTreeView* tree() const { return control<TTreeView>(kTreeControl); }
    TZephaneApp& app() const { return app_; }
    QSize sizeHint() const override { return {440, 520}; }
    QLineEdit* filter_box() const;
    // Narrows the rows as if the text were typed into the filter box.
    void set_filter(const QString& text);

    virtual void rebuildTree(bool refresh) = 0;
    // How many times the rows were rebuilt (bursts of changes rebuild once).
    std::size_t rebuild_count() const { return rebuild_count_; }
    // Expands the group row of the tag's type; with select, selects the tag's row (dropping
    // the previous selection first with clear_selection).
    void revealTag(const TagEntry& tag, bool select, bool clear_selection);

    TreeRow* find_group_row(tag_type type) const;
    TreeRow* find_tag_row(const TagEntry& tag) const;
    // The selection as tags: a group row stands for every tag of its group, and a tag whose
    // group row is selected too counts once.
    std::vector<TagEntry*> selected_tags() const;
    // Only the selected tag rows, in the order they were selected.
    std::vector<TagEntry*> selected_tag_rows() const;

    // TreeClient
    void tree_before_input() override;
    void tree_open(TreeRow& row, bool alternate) override;
    void tree_command(int command) override;
    std::unique_ptr<QMimeData> tree_drag_data() override;
    void tree_context_menu(const QPoint& global) override;
    void tree_typed(const QString& text) override;

protected:
    // Escape in the filter box clears it; Down or Escape goes back to the rows.
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
protected:
    // The rebuild steps around the rows each window adds: notes the expanded groups and the
    // selection and removes every row; afterwards re-expands, reselects what still exists,
    // sorts the top-level rows and recomputes the layout.
    struct RebuildMemory {
        std::vector<tag_type> expanded;
        std::vector<std::pair<const void*, tag_type>> selected; // tag (or null) and type
    };
    RebuildMemory begin_rebuild();
    void end_rebuild(const RebuildMemory& memory, bool refresh);
    TreeRow& add_group_row(tag_type type, TagGroup* group);
    TreeRow& add_tag_row(TreeRow& group_row, TagEntry& tag);
    const RowFilter& row_filter() const { return filter_; }
    // Sorts a group's rows and re-expands it when it was expanded before.
    void finish_group(TreeRow& group_row, const RebuildMemory& memory);

    bool shared_command_status(int command, CommandState& state);
    bool do_shared_command(int command);
    void open_selected_tags();
    // The Tag Info dialog for each selected tag row; true when a tag was changed.
    void tag_info_for_selection();
    void find_duplicates();

    TZephaneApp& app_;

private:
    void filter_edited();

    RowFilter filter_{QString()};
    std::size_t rebuild_count_ = 0;
    QTimer filter_timer_;
    bool filtered_build_ = false;
    std::vector<tag_type> expanded_before_filter_;
};

} // namespace zephane
