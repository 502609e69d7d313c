#pragma once
// TtxstEditView: the texture editor's view. One row per stack, textures left to right in
// 144-pixel cells with their thumbnail and three lines of text; a selection; drops of
// textures (from this or another texture editor) and of Photoshop files between cells or
// into the gaps between stacks. Only the rows and cells being painted decode thumbnails.

#include "textures/texture_stack_edit.h"

#include <QPointer>
#include <QWidget>
#include <optional>

namespace zephane {

class TtxstEditView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kLeftMargin = 8;
    static constexpr int kCellWidth = 144;
    static constexpr int kThumbCentre = 72;
    static constexpr int kHighlightGap = 4;
    // A drop this close to the line between two rows goes into the gap between the stacks.
    static constexpr int kGapBand = 8;
    static constexpr const char* kDragFormat = "application/x-zephane-txst";

    explicit TtxstEditView(QWidget* parent = nullptr);
    ~TtxstEditView() override;

    // The set shown (owned by the form); null shows nothing.
    void set_stack_set(StackSet* set);
    StackSet* stack_set() const { return set_; }
    // The set's shape changed: size and picture follow.
    void set_changed();

    // The line height: one row, and the scroll unit.
    int row_height() const;
    QRect cell_rect(std::size_t stack, std::size_t position) const;
    // The texture under a point, if any.
    std::optional<TexturePlace> place_at(QPoint point) const;
    // Where textures dropped at the point would go.
    StackInsertPoint drop_point_at(QPoint point) const;

    TextureSelection& selection() { return selection_; }
    const TextureSelection& selection() const { return selection_; }
    void select_only(stacked_texture* texture);
    void add_to_selection(const std::vector<stacked_texture*>& textures);
    // Where Paste puts textures: after the last texture clicked, or where the last click
    // between cells was; a new stack at the end when there is neither.
    StackInsertPoint insertion_point() const;

    // A drop as the mouse would make it: textures dragged from a view (this one or another)
    // or files, at the point; copy as with the copy modifier. Returns the inserted textures.
    std::vector<stacked_texture*> drop_textures_from(TtxstEditView& source,
                                                     const std::vector<stacked_texture*>& textures,
                                                     QPoint at, bool copy);
    std::vector<stacked_texture*> drop_files(const QStringList& paths, QPoint at, QString* problem);

    QSize sizeHint() const override;

signals:
    // The set was changed by a drop (the textures inserted are selected).
    void edited();
    void selection_changed();
    // A texture was double-clicked.
    void activated(stacked_texture* texture);
    // Dropped files gave nothing, for this reason.
    void drop_refused(const QString& reason);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paint_cell(class QPainter& painter, stacked_texture& texture, QRect cell, bool selected);
    void paint_insert_mark(QPainter& painter, StackInsertPoint point, const QColor& colour);
    void start_drag();
    std::size_t widest_stack() const;
    QFont cell_font() const;
    void finish_drop(const std::vector<stacked_texture*>& inserted);

    StackSet* set_ = nullptr;
    TextureSelection selection_;
    std::optional<StackInsertPoint> clicked_point_;
    std::optional<StackInsertPoint> drop_mark_;
    std::optional<QPoint> press_at_;
    stacked_texture* pressed_ = nullptr;
    bool pressed_with_modifier_ = false;
};

} // namespace zephane
