#pragma once
// TTreeView: a scrolling tree of rows (tag groups and tags) drawn by hand, so that tens of
// thousands of rows are built, sorted and shown quickly. Rows live in the view's own pool
// and are rebuilt wholesale by the window that owns the view.

#include "tags/tag_code.h"

#include <QAbstractScrollArea>
#include <QIcon>
#include <QMimeData>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zephane {

struct TagGroup;
struct TagEntry;
class TTreeView;

// The program's own icon: pages of a tag file.
QIcon application_icon();

// The flavour under which a dragged tag row travels.
inline constexpr std::uint32_t kTagRowFlavour = fourcc("TBDP");

// Icon resource ids of rows.
inline constexpr std::uint16_t kIconTag = 130;         // a tag whose type has an editor
inline constexpr std::uint16_t kIconTagNoEditor = 131; // a tag whose type has none
inline constexpr std::uint16_t kIconTagModified = 132; // a modified tag with an editor
inline constexpr std::uint16_t kIconGroup = 135;       // a tag group

// The data block of a row: a group row has no tag.
struct RowData {
    tag_type type = 0;
    TagGroup* group = nullptr;
    tag_id id = 0;
    TagEntry* tag = nullptr;
};

struct TreeRow {
    TreeRow* first_child = nullptr;
    TreeRow* last_child = nullptr;
    TreeRow* next_sibling = nullptr;
    TreeRow* parent = nullptr;
    const TTreeView* owner = nullptr;
    bool expanded = false;
    bool has_children = false;
    bool selected = false;
    std::uint16_t icon = 0;
    std::uint32_t flavour = kTagRowFlavour;
    int depth = 0;
    int width = -1;         // label width in pixels, measured when first needed
    int visible_index = -1; // position among the visible rows, -1 when hidden
    std::string label;
    // Drawn after the label in a quieter colour, outside sorting and type-to-find (UTF-8).
    std::string note;
    std::string tooltip;   // UTF-8; empty: none
    bool dimmed = false;   // drawn greyed
    RowData data;

    bool is_group() const { return data.tag == nullptr; }
};

// What the window behind a tree hears from it.
class TreeClient {
public:
    virtual ~TreeClient() = default;
    // Before the tree acts on a key, a click or a drop: deferred rebuilds happen now, so the
    // rows the tree is about to use are current.
    virtual void tree_before_input() {}
    virtual void tree_clicked() {} // a click or a navigation key changed the selection
    virtual void tree_open(TreeRow& row, bool alternate) {
        (void)row;
        (void)alternate;
    }
    virtual void tree_command(int command) { (void)command; } // keys that run a command
    virtual std::unique_ptr<QMimeData> tree_drag_data() { return nullptr; }
    virtual bool tree_accepts_drop(const QMimeData& data) {
        (void)data;
        return false;
    }
    virtual void tree_drop(const QMimeData& data) { (void)data; }
    virtual void tree_context_menu(const QPoint& global) { (void)global; }
    // Printable text typed while the tree has the focus.
    virtual void tree_typed(const QString& text) { (void)text; }
};

class TTreeView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kIndent = 22;   // pixels per depth level
    static constexpr int kRowExtra = 27; // expander and icon before the label
    static constexpr int kIconSize = 16;
    // The modifiers that, held during a double-click, open a tag's alternate editor: Shift,
    // or Control as the Mesh Terrain Window's own hint tells its users.
    static constexpr Qt::KeyboardModifiers kAlternateModifiers{Qt::ShiftModifier | Qt::ControlModifier};
    // The modifier that, held with Up or Down, keeps the existing selection.
    static constexpr Qt::KeyboardModifier kExtendModifier = Qt::ShiftModifier;

    explicit TTreeView(QWidget* parent = nullptr);
    ~TTreeView() override;
    void set_client(TreeClient* client) { client_ = client; }

    // ---- Rows -------------------------------------------------------------------------
    // Appends a row as the last child of `parent` (a top-level row when null).
    TreeRow& add_row(TreeRow* parent, std::string label, std::uint16_t icon,
                     const RowData& row_data);
    void remove_all_rows();
    TreeRow* first_row() const { return first_top_; }
    std::size_t row_count() const { return rows_.size(); }
    // Sorts the children of `parent` (the top-level rows when null) by label, ignoring case.
    void sort_children(TreeRow* parent);
    // Label order: the difference of the first differing lower-cased characters; the
    // shorter label first when one is a prefix of the other. Both rows must belong to this
    // tree and share a parent.
    static int compare_rows(const TreeRow* a, const TreeRow* b);
    void set_expanded(TreeRow& row, bool expanded);
    // Recomputes the visible rows, the content width and the scroll ranges.
    void update_layout();
    const std::vector<TreeRow*>& visible_rows() const { return visible_; }
    int row_height() const;
    int content_width() const { return content_width_; }
    int row_width(TreeRow& row) const;

    // ---- Selection --------------------------------------------------------------------
    // Selects the row; without extend every other row is deselected first.
    void select(TreeRow& row, bool extend);
    void deselect(TreeRow& row);
    void clear_selection();
    const std::vector<TreeRow*>& selection() const { return selection_; }
    std::size_t selection_count() const { return selection_.size(); }
    TreeRow* current() const { return current_; }
    void ensure_visible(const TreeRow& row);

    TreeRow* row_at(const QPoint& viewport_point) const;
    QRect row_rect(const TreeRow& row) const; // in viewport coordinates, or empty
    static const QPixmap& icon_pixmap(std::uint16_t icon);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override; // row tooltips

private:
    void link_child(TreeRow* parent, TreeRow& row);
    void add_visible(TreeRow* first);
    void update_scroll_ranges();
    int visible_index(const TreeRow* row) const;
    void move_to(int index, bool extend);
    bool on_expander(const TreeRow& row, const QPoint& point) const;
    void select_range(TreeRow& to);
    int label_width(const std::string& label) const;

    TreeClient* client_ = nullptr;
    std::deque<TreeRow> rows_;
    TreeRow* first_top_ = nullptr;
    TreeRow* last_top_ = nullptr;
    std::vector<TreeRow*> visible_;
    std::vector<TreeRow*> selection_;
    TreeRow* current_ = nullptr;
    TreeRow* anchor_ = nullptr;
    int content_width_ = 0;
    QPoint press_point_;
    TreeRow* press_row_ = nullptr;
    bool press_keeps_selection_ = false;
    // Advance of each Latin-1 character in the view's font: a label's width is their sum,
    // which keeps measuring thousands of rows cheap (kerning is ignored; it moves a label's
    // end by a pixel or two, which only the horizontal scroll range sees).
    mutable std::vector<int> advances_;
};

} // namespace zephane
