#include "app/tree_view.h"
#include "base/text.h"

#include "app/command_ids.h"
#include "base/errors.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QScrollBar>
#include <algorithm>

namespace zephane {

namespace {
constexpr const char* kModule = "TTreeView";
constexpr int kExpanderWidth = 11;
constexpr int kLabelGap = 2;
} // namespace

TTreeView::TTreeView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAcceptDrops(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TTreeView::~TTreeView() = default;

// ---- Rows ----------------------------------------------------------------------------------

void TTreeView::link_child(TreeRow* parent, TreeRow& row) {
    row.parent = parent;
    TreeRow*& first = parent ? parent->first_child : first_top_;
    TreeRow*& last = parent ? parent->last_child : last_top_;
    if (last)
        last->next_sibling = &row;
    else
        first = &row;
    last = &row;
    if (parent) parent->has_children = true;
}

TreeRow& TTreeView::add_row(TreeRow* parent, std::string label, std::uint16_t icon,
                            const RowData& row_data) {
    TreeRow& row = rows_.emplace_back();
    row.owner = this;
    row.icon = icon;
    row.label = std::move(label);
    row.data = row_data;
    row.depth = parent ? parent->depth + 1 : 0;
    link_child(parent, row);
    return row;
}

void TTreeView::remove_all_rows() {
    visible_.clear();
    selection_.clear();
    current_ = anchor_ = press_row_ = nullptr;
    first_top_ = last_top_ = nullptr;
    rows_.clear();
}

int TTreeView::compare_rows(const TreeRow* a, const TreeRow* b) {
    ZEPHANE_ASSERT(a && b && a->owner && a->owner == b->owner,
                   "ta->owner && ta->owner == tb->owner", kModule);
    ZEPHANE_ASSERT(a && b && a->parent == b->parent, "ta->parent == tb->parent", kModule);
    if (!a || !b) return 0;
    return compare_ignoring_case(a->label, b->label);
}

void TTreeView::sort_children(TreeRow* parent) {
    TreeRow* first = parent ? parent->first_child : first_top_;
    if (!first || !first->next_sibling) return; // fewer than two rows
    std::vector<TreeRow*> siblings;
    for (TreeRow* row = first; row; row = row->next_sibling) siblings.push_back(row);
    // Stable, so rows with equal labels keep the order they were added in.
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const TreeRow* a, const TreeRow* b) { return compare_rows(a, b) < 0; });
    for (std::size_t k = 0; k + 1 < siblings.size(); ++k)
        siblings[k]->next_sibling = siblings[k + 1];
    siblings.back()->next_sibling = nullptr;
    if (parent) {
        parent->first_child = siblings.front();
        parent->last_child = siblings.back();
    } else {
        first_top_ = siblings.front();
        last_top_ = siblings.back();
    }
}

void TTreeView::set_expanded(TreeRow& row, bool expanded) {
    if (row.expanded == expanded) return;
    row.expanded = expanded;
    update_layout();
}

int TTreeView::row_height() const {
    const int height = fontMetrics().lineSpacing();
    return height >= 16 ? height + 1 : 17;
}

int TTreeView::label_width(const std::string& label) const {
    if (advances_.empty()) {
        const QFontMetrics metrics = fontMetrics();
        advances_.resize(256);
        for (int c = 0; c < 256; ++c)
            advances_[static_cast<std::size_t>(c)] = metrics.horizontalAdvance(QChar(c));
    }
    int width = 0;
    for (const char c : label) width += advances_[static_cast<unsigned char>(c)];
    return width;
}

int TTreeView::row_width(TreeRow& row) const {
    if (row.width < 0) {
        row.width = label_width(row.label);
        if (!row.note.empty())
            row.width += fontMetrics().horizontalAdvance(QString::fromUtf8(row.note)) + 2 * kLabelGap;
    }
    return row.width + kIndent * row.depth + kRowExtra;
}

void TTreeView::add_visible(TreeRow* first) {
    for (TreeRow* row = first; row; row = row->next_sibling) {
        row->visible_index = static_cast<int>(visible_.size());
        visible_.push_back(row);
        content_width_ = std::max(content_width_, row_width(*row));
        if (row->expanded) add_visible(row->first_child);
    }
}

void TTreeView::update_layout() {
    for (TreeRow* row : visible_) row->visible_index = -1;
    visible_.clear();
    content_width_ = 0;
    add_visible(first_top_);
    update_scroll_ranges();
    viewport()->update();
}

void TTreeView::update_scroll_ranges() {
    const int height = row_height();
    const int total = static_cast<int>(visible_.size()) * height;
    verticalScrollBar()->setSingleStep(height);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
    horizontalScrollBar()->setSingleStep(kIndent);
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, content_width_ - viewport()->width()));
}

// ---- Selection -----------------------------------------------------------------------------

void TTreeView::select(TreeRow& row, bool extend) {
    if (!extend) clear_selection();
    if (!row.selected) {
        row.selected = true;
        selection_.push_back(&row);
    }
    current_ = &row;
    viewport()->update();
}

void TTreeView::deselect(TreeRow& row) {
    if (!row.selected) return;
    row.selected = false;
    selection_.erase(std::find(selection_.begin(), selection_.end(), &row));
    viewport()->update();
}

void TTreeView::clear_selection() {
    for (TreeRow* row : selection_) row->selected = false;
    selection_.clear();
    viewport()->update();
}

int TTreeView::visible_index(const TreeRow* row) const {
    return row ? row->visible_index : -1;
}

void TTreeView::ensure_visible(const TreeRow& row) {
    if (row.visible_index < 0) return;
    const int height = row_height();
    const int top = row.visible_index * height;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + height > bar->value() + viewport()->height())
        bar->setValue(top + height - viewport()->height());
}

TreeRow* TTreeView::row_at(const QPoint& point) const {
    if (point.y() < 0) return nullptr;
    const int index = (point.y() + verticalScrollBar()->value()) / row_height();
    return index < static_cast<int>(visible_.size()) ? visible_[static_cast<std::size_t>(index)]
                                                     : nullptr;
}

QRect TTreeView::row_rect(const TreeRow& row) const {
    if (row.visible_index < 0) return {};
    const int height = row_height();
    return {-horizontalScrollBar()->value(),
            row.visible_index * height - verticalScrollBar()->value(),
            std::max(content_width_, viewport()->width()), height};
}

// ---- Painting ------------------------------------------------------------------------------

void TTreeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int height = row_height();
    const int scroll_x = horizontalScrollBar()->value();
    const int scroll_y = verticalScrollBar()->value();
    const int first = scroll_y / height;
    const int last =
        std::min(static_cast<int>(visible_.size()), (scroll_y + viewport()->height()) / height + 1);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const QFontMetrics metrics = fontMetrics();
    for (int k = first; k < last; ++k) {
        const TreeRow& row = *visible_[static_cast<std::size_t>(k)];
        const int y = k * height - scroll_y;
        const int x = kIndent * row.depth - scroll_x;
        const QRect label_rect(
            x + kRowExtra, y,
            metrics.horizontalAdvance(QString::fromLatin1(row.label)) + 2 * kLabelGap, height);
        if (row.selected) painter.fillRect(label_rect, palette().brush(group, QPalette::Highlight));
        if (row.has_children) {
            const QPointF centre(x + kExpanderWidth / 2.0 + 1, y + height / 2.0);
            QPolygonF arrow;
            if (row.expanded)
                arrow << centre + QPointF(-4, -2) << centre + QPointF(4, -2)
                      << centre + QPointF(0, 3);
            else
                arrow << centre + QPointF(-2, -4) << centre + QPointF(3, 0)
                      << centre + QPointF(-2, 4);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette().color(QPalette::Text));
            painter.drawPolygon(arrow);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        painter.drawPixmap(x + kExpanderWidth, y + (height - kIconSize) / 2, icon_pixmap(row.icon));
        const QPalette::ColorGroup text_group = row.dimmed ? QPalette::Disabled : group;
        painter.setPen(palette().color(text_group, row.selected ? QPalette::HighlightedText
                                                                : QPalette::Text));
        painter.drawText(label_rect.adjusted(kLabelGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(row.label));
        if (!row.note.empty()) {
            painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
            painter.drawText(QRect(label_rect.right() + kLabelGap, y, viewport()->width(), height),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(row.note));
        }
    }
}

void TTreeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_ranges();
}

bool TTreeView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const TreeRow* row = row_at(help->pos());
        if (row && !row->tooltip.empty())
            QToolTip::showText(help->globalPos(), QString::fromUtf8(row->tooltip), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TTreeView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        advances_.clear();
        for (TreeRow& row : rows_) row.width = -1;
        update_layout();
    }
    QAbstractScrollArea::changeEvent(event);
}

// ---- Keys ----------------------------------------------------------------------------------

void TTreeView::move_to(int index, bool extend) {
    if (visible_.empty()) return;
    index = std::clamp(index, 0, static_cast<int>(visible_.size()) - 1);
    TreeRow& row = *visible_[static_cast<std::size_t>(index)];
    select(row, extend);
    anchor_ = &row;
    ensure_visible(row);
    if (client_) client_->tree_clicked();
}

void TTreeView::keyPressEvent(QKeyEvent* event) {
    if (client_) client_->tree_before_input();
    const bool extend = event->modifiers() & kExtendModifier;
    const int at = visible_index(current_);
    const int page = std::max(1, viewport()->height() / row_height() - 1);
    switch (event->key()) {
    case Qt::Key_Up:
        move_to(at < 0 ? 0 : at - 1, extend);
        return;
    case Qt::Key_Down:
        move_to(at < 0 ? 0 : at + 1, extend);
        return;
    case Qt::Key_PageUp:
        move_to(at < 0 ? 0 : at - page, extend);
        return;
    case Qt::Key_PageDown:
        move_to(at < 0 ? 0 : at + page, extend);
        return;
    case Qt::Key_Home:
        move_to(0, extend);
        return;
    case Qt::Key_End:
        move_to(static_cast<int>(visible_.size()) - 1, extend);
        return;
    case Qt::Key_Left:
        if (current_) {
            TreeRow* row = current_->expanded ? current_ : current_->parent;
            if (row) {
                set_expanded(*row, false);
                select(*row, false);
                anchor_ = row;
                ensure_visible(*row);
            }
            if (client_) client_->tree_clicked();
        }
        return;
    case Qt::Key_Right:
        if (current_) {
            TreeRow* row = current_;
            set_expanded(*row, true);
            if (row->first_child) {
                select(*row->first_child, false);
                anchor_ = row->first_child;
                ensure_visible(*row->first_child);
            }
            if (client_) client_->tree_clicked();
        }
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (client_) client_->tree_command(command::kClear);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (client_) client_->tree_command(command::kOpenTag);
        return;
    default:
        if (client_ && !event->text().isEmpty() && event->text().at(0).isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            client_->tree_typed(event->text());
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
    }
}

// ---- Mouse ---------------------------------------------------------------------------------

bool TTreeView::on_expander(const TreeRow& row, const QPoint& point) const {
    const int x = kIndent * row.depth - horizontalScrollBar()->value();
    return row.has_children && point.x() >= x && point.x() < x + kExpanderWidth + 2;
}

void TTreeView::select_range(TreeRow& to) {
    const int from = visible_index(anchor_);
    const int end = visible_index(&to);
    if (from < 0 || end < 0) {
        select(to, true);
        return;
    }
    for (int k = std::min(from, end); k <= std::max(from, end); ++k)
        select(*visible_[static_cast<std::size_t>(k)], true);
    current_ = &to;
}

void TTreeView::mousePressEvent(QMouseEvent* event) {
    if (client_) client_->tree_before_input();
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    press_point_ = point;
    press_row_ = nullptr;
    press_keeps_selection_ = false;
    TreeRow* row = row_at(point);
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    if (!row) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) clear_selection();
        if (client_) client_->tree_clicked();
        return;
    }
    if (event->button() == Qt::LeftButton && on_expander(*row, point)) {
        set_expanded(*row, !row->expanded);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        if (row->selected)
            deselect(*row);
        else
            select(*row, true);
        anchor_ = row;
    } else if (event->modifiers() & Qt::ShiftModifier) {
        select_range(*row);
    } else if (row->selected) {
        // Pressing a selected row may start dragging the whole selection; a plain click
        // without a drag selects the row alone on release.
        press_keeps_selection_ = true;
        current_ = anchor_ = row;
    } else {
        select(*row, false);
        anchor_ = row;
    }
    press_row_ = row;
    if (client_) client_->tree_clicked();
}

void TTreeView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !press_row_ || !press_row_->selected) return;
    if ((event->position().toPoint() - press_point_).manhattanLength() <
        QApplication::startDragDistance())
        return;
    press_row_ = nullptr;
    press_keeps_selection_ = false;
    if (!client_) return;
    std::unique_ptr<QMimeData> mime = client_->tree_drag_data();
    if (!mime) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime.release());
    drag->setPixmap(icon_pixmap(kIconTag));
    drag->exec(Qt::CopyAction);
}

void TTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (press_keeps_selection_ && press_row_ && event->button() == Qt::LeftButton) {
        select(*press_row_, false);
        if (client_) client_->tree_clicked();
    }
    press_row_ = nullptr;
    press_keeps_selection_ = false;
}

void TTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (client_) client_->tree_before_input();
    const QPoint point = event->position().toPoint();
    TreeRow* row = row_at(point);
    if (!row || event->button() != Qt::LeftButton || on_expander(*row, point)) return;
    press_row_ = nullptr;
    press_keeps_selection_ = false;
    if (row->is_group()) {
        set_expanded(*row, !row->expanded);
        return;
    }
    if (client_) client_->tree_open(*row, (event->modifiers() & kAlternateModifiers) != Qt::NoModifier);
}

void TTreeView::contextMenuEvent(QContextMenuEvent* event) {
    if (client_) client_->tree_context_menu(event->globalPos());
}

// ---- Drops ---------------------------------------------------------------------------------

void TTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (client_ && event->mimeData() && client_->tree_accepts_drop(*event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TTreeView::dragMoveEvent(QDragMoveEvent* event) {
    if (client_ && event->mimeData() && client_->tree_accepts_drop(*event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TTreeView::dropEvent(QDropEvent* event) {
    if (client_) client_->tree_before_input();
    if (!client_ || !event->mimeData() || !client_->tree_accepts_drop(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    client_->tree_drop(*event->mimeData());
}

} // namespace zephane
