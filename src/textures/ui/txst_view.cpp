#include "textures/ui/txst_view.h"

#include "textures/psd_import.h"
#include "textures/texture_pixels.h"
#include "textures/ui/texture_image.h"

#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QUrl>
#include <algorithm>

namespace zephane {

namespace {

constexpr int kTextTop = 144; // the three text lines start under the thumbnail's area
constexpr int kRowPadding = 6;

// What a drag from a texture view carries; the MIME data names it by serial, so a drag
// whose source went away or whose textures were freed meanwhile drops nothing.
struct TextureDrag {
    quint64 serial = 0;
    QPointer<TtxstEditView> source;
    std::vector<stacked_texture*> textures;
};
TextureDrag& current_drag() {
    static TextureDrag drag;
    return drag;
}

QString size_line(const stacked_texture& texture) {
    const std::size_t raw = texture.raw_size();
    const std::size_t percent = raw ? (texture.size() * 100 + raw / 2) / raw : 0;
    return QString::fromStdString(format_label(texture.format)) +
           QString::asprintf(", %.1f k (%d%%)", static_cast<double>(texture.size()) / 1024.0,
                             static_cast<int>(percent));
}

} // namespace

TtxstEditView::TtxstEditView(QWidget* parent) : QWidget(parent) {
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TtxstEditView::~TtxstEditView() = default;

void TtxstEditView::set_stack_set(StackSet* set) {
    set_ = set;
    selection_.clear();
    clicked_point_.reset();
    set_changed();
}

void TtxstEditView::set_changed() {
    if (set_) selection_.keep_present(*set_);
    const QSize size = sizeHint();
    setMinimumSize(size);
    update();
}

QFont TtxstEditView::cell_font() const {
    // A point smaller than the window's: the size line must fit the 144-pixel cell.
    QFont small = font();
    if (small.pointSizeF() > 0) small.setPointSizeF(small.pointSizeF() - 1);
    return small;
}

int TtxstEditView::row_height() const {
    return kTextTop + 3 * QFontMetrics(cell_font()).lineSpacing() + kRowPadding;
}

std::size_t TtxstEditView::widest_stack() const {
    std::size_t widest = 0;
    if (set_)
        for (const TextureStack& stack : set_->stacks) widest = std::max(widest, stack.textures.size());
    return widest;
}

QSize TtxstEditView::sizeHint() const {
    const int rows = set_ ? static_cast<int>(set_->stacks.size()) : 0;
    // Half a row under the last stack: somewhere to drop a new stack at the end.
    return {kLeftMargin * 2 + kCellWidth * static_cast<int>(std::max<std::size_t>(widest_stack(), 1)),
            rows * row_height() + row_height() / 2};
}

QRect TtxstEditView::cell_rect(std::size_t stack, std::size_t position) const {
    return {kLeftMargin + kCellWidth * static_cast<int>(position), row_height() * static_cast<int>(stack),
            kCellWidth, row_height()};
}

std::optional<TexturePlace> TtxstEditView::place_at(QPoint point) const {
    if (!set_ || point.x() < kLeftMargin || point.y() < 0) return std::nullopt;
    const auto stack = static_cast<std::size_t>(point.y() / row_height());
    const auto position = static_cast<std::size_t>((point.x() - kLeftMargin) / kCellWidth);
    if (stack >= set_->stacks.size() || position >= set_->stacks[stack].textures.size())
        return std::nullopt;
    return TexturePlace{static_cast<long>(stack), static_cast<long>(position)};
}

StackInsertPoint TtxstEditView::drop_point_at(QPoint point) const {
    const std::size_t rows = set_ ? set_->stacks.size() : 0;
    const int height = row_height();
    const int y = std::max(point.y(), 0);
    const auto row = static_cast<std::size_t>(y / height);
    if (row >= rows) return {rows, 0, true};
    const int into_row = y - static_cast<int>(row) * height;
    if (into_row < kGapBand) return {row, 0, true};
    if (into_row >= height - kGapBand) return {row + 1, 0, true};
    // Before the cell whose middle lies right of the point.
    const int x = point.x() - kLeftMargin + kCellWidth / 2;
    const long count = static_cast<long>(set_->stacks[row].textures.size());
    const long position = std::clamp<long>(x < 0 ? 0 : x / kCellWidth, 0, count);
    return {row, position, false};
}

void TtxstEditView::select_only(stacked_texture* texture) {
    selection_.clear();
    if (texture) selection_.add(texture);
    update();
    emit selection_changed();
}

void TtxstEditView::add_to_selection(const std::vector<stacked_texture*>& textures) {
    for (stacked_texture* t : textures) selection_.add(t);
    update();
    emit selection_changed();
}

StackInsertPoint TtxstEditView::insertion_point() const {
    const std::size_t rows = set_ ? set_->stacks.size() : 0;
    if (clicked_point_) {
        StackInsertPoint point = *clicked_point_;
        if (point.stack > rows || (!point.gap && point.stack >= rows)) return {rows, 0, true};
        return point;
    }
    if (set_ && !selection_.empty()) {
        const TexturePlace place = find_texture(*set_, selection_.textures().back());
        if (place.found()) return {static_cast<std::size_t>(place.stack), place.position + 1, false};
    }
    return {rows, 0, true};
}

// ---- Painting ----------------------------------------------------------------------------

void TtxstEditView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, palette().base());
    if (!set_) return;
    const int height = row_height();
    const auto first = static_cast<std::size_t>(std::max(area.top(), 0) / height);
    const auto last = static_cast<std::size_t>(std::max(area.bottom(), 0) / height);
    const QColor line = palette().mid().color();
    for (std::size_t s = first; s <= last && s < set_->stacks.size(); ++s) {
        const int top = static_cast<int>(s) * height;
        painter.setPen(line);
        painter.drawLine(area.left(), top + height - 1, area.right(), top + height - 1);
        auto& textures = set_->stacks[s].textures;
        const int from = std::max(0, (area.left() - kLeftMargin) / kCellWidth);
        for (auto p = static_cast<std::size_t>(from); p < textures.size(); ++p) {
            const QRect cell = cell_rect(s, p);
            if (cell.left() > area.right()) break;
            paint_cell(painter, *textures[p], cell, selection_.contains(textures[p].get()));
        }
    }
    if (drop_mark_) paint_insert_mark(painter, *drop_mark_, palette().highlight().color());
    else if (hasFocus() && clicked_point_) paint_insert_mark(painter, insertion_point(), palette().text().color());
}

void TtxstEditView::paint_cell(QPainter& painter, stacked_texture& texture, QRect cell, bool selected) {
    const Thumbnail& thumb = texture_thumbnail(texture);
    const QPoint centre = cell.topLeft() + QPoint(kThumbCentre, kThumbCentre);
    const int w = thumb.empty() ? 64 : thumb.width;
    const int h = thumb.empty() ? 64 : thumb.height;
    const QRect picture(centre.x() - w / 2, centre.y() - h / 2, w, h);
    if (thumb.empty()) {
        painter.fillRect(picture, palette().window());
    } else {
        // A checkerboard shows through where a texture with alpha is transparent.
        if (thumb.channels == 4) {
            painter.fillRect(picture, QColor(204, 204, 204));
            for (int y = 0; y < h; y += 8)
                for (int x = (y / 8) % 2 * 8; x < w; x += 16)
                    painter.fillRect(QRect(picture.left() + x, picture.top() + y, 8, 8) & picture,
                                     QColor(255, 255, 255));
        }
        painter.drawImage(picture.topLeft(), thumbnail_view(thumb));
    }
    painter.setPen(palette().text().color());
    painter.drawRect(picture.adjusted(-1, -1, 0, 0));
    if (selected) {
        painter.setPen(QPen(palette().highlight().color(), 2));
        painter.drawRect(picture.adjusted(-kHighlightGap - 1, -kHighlightGap - 1, kHighlightGap, kHighlightGap));
    }
    painter.setPen(palette().text().color());
    painter.setFont(cell_font());
    const QFontMetrics metrics(painter.font());
    const QString lines[] = {
        QString::asprintf("%s %d x %d", channel_name(texture.channels), texture.width, texture.height),
        size_line(texture), QString::fromStdString(layer_kind_label(texture.layer_kind, texture.layer))};
    int baseline = cell.top() + kTextTop + metrics.ascent();
    for (const QString& text : lines) {
        const QString shown = metrics.elidedText(text, Qt::ElideRight, kCellWidth - 4);
        painter.drawText(cell.left() + (kCellWidth - metrics.horizontalAdvance(shown)) / 2, baseline, shown);
        baseline += metrics.lineSpacing();
    }
}

void TtxstEditView::paint_insert_mark(QPainter& painter, StackInsertPoint point, const QColor& colour) {
    painter.setPen(QPen(colour, 3));
    const int height = row_height();
    if (point.gap) {
        const int y = static_cast<int>(point.stack) * height;
        painter.drawLine(kLeftMargin, y + 1, width() - kLeftMargin, y + 1);
        return;
    }
    const int x = kLeftMargin + kCellWidth * static_cast<int>(point.position);
    const int top = static_cast<int>(point.stack) * height;
    painter.drawLine(x, top + 6, x, top + height - 6);
}

// ---- Mouse -------------------------------------------------------------------------------

void TtxstEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !set_) return QWidget::mousePressEvent(event);
    const auto place = place_at(event->position().toPoint());
    const bool toggle = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    pressed_ = nullptr;
    press_at_ = event->position().toPoint();
    pressed_with_modifier_ = toggle;
    if (!place) {
        if (!toggle) selection_.clear();
        clicked_point_ = drop_point_at(event->position().toPoint());
        update();
        emit selection_changed();
        return;
    }
    stacked_texture* texture = texture_at(*set_, static_cast<std::size_t>(place->stack),
                                          static_cast<std::size_t>(place->position));
    pressed_ = texture;
    clicked_point_ = StackInsertPoint{static_cast<std::size_t>(place->stack), place->position + 1, false};
    if (toggle) {
        if (selection_.contains(texture)) selection_.remove(texture);
        else selection_.add(texture);
    } else if (!selection_.contains(texture)) {
        selection_.clear();
        selection_.add(texture);
    }
    update();
    emit selection_changed();
}

void TtxstEditView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !press_at_ || !pressed_ ||
        !selection_.contains(pressed_))
        return;
    if ((event->position().toPoint() - *press_at_).manhattanLength() < QApplication::startDragDistance())
        return;
    press_at_.reset();
    start_drag();
}

void TtxstEditView::mouseReleaseEvent(QMouseEvent* event) {
    // A plain click on one of several selected textures selects just that one.
    if (press_at_ && pressed_ && !pressed_with_modifier_ && selection_.size() > 1) select_only(pressed_);
    press_at_.reset();
    pressed_ = nullptr;
    QWidget::mouseReleaseEvent(event);
}

void TtxstEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto place = place_at(event->position().toPoint());
    if (!place || !set_) return;
    stacked_texture* texture = texture_at(*set_, static_cast<std::size_t>(place->stack),
                                          static_cast<std::size_t>(place->position));
    select_only(texture);
    press_at_.reset();
    emit activated(texture);
}

void TtxstEditView::start_drag() {
    static quint64 serial = 0;
    TextureDrag& drag_data = current_drag();
    drag_data = {++serial, this, selection_.textures()};
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kDragFormat), QByteArray::number(drag_data.serial));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    if (pressed_) {
        const Thumbnail& thumb = texture_thumbnail(*pressed_);
        if (!thumb.empty())
            drag->setPixmap(QPixmap::fromImage(thumbnail_view(thumb).scaled(64, 64, Qt::KeepAspectRatio)));
    }
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    current_drag() = {};
}

// ---- Drops -------------------------------------------------------------------------------

namespace {

bool carries_textures(const QMimeData* mime) {
    return mime->hasFormat(QString::fromLatin1(TtxstEditView::kDragFormat));
}

bool copy_requested(const QDropEvent* event) {
    return event->dropAction() == Qt::CopyAction || (event->modifiers() & Qt::ControlModifier);
}

} // namespace

void TtxstEditView::dragEnterEvent(QDragEnterEvent* event) {
    if (!set_ || !(carries_textures(event->mimeData()) || event->mimeData()->hasUrls())) return;
    event->acceptProposedAction();
    drop_mark_ = drop_point_at(event->position().toPoint());
    update();
}

void TtxstEditView::dragMoveEvent(QDragMoveEvent* event) {
    if (!set_) return;
    if (carries_textures(event->mimeData()))
        event->setDropAction(copy_requested(event) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    drop_mark_ = drop_point_at(event->position().toPoint());
    update();
}

void TtxstEditView::dragLeaveEvent(QDragLeaveEvent*) {
    drop_mark_.reset();
    update();
}

void TtxstEditView::dropEvent(QDropEvent* event) {
    drop_mark_.reset();
    update();
    if (!set_) return;
    const QPoint at = event->position().toPoint();
    const QMimeData* mime = event->mimeData();
    if (carries_textures(mime)) {
        const TextureDrag& drag = current_drag();
        if (!drag.source || mime->data(QString::fromLatin1(kDragFormat)).toULongLong() != drag.serial)
            return;
        const bool copy = copy_requested(event);
        // The drop itself does the move: tell the source not to delete anything.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        drop_textures_from(*drag.source, drag.textures, at, copy);
        return;
    }
    if (mime->hasUrls()) {
        QStringList paths;
        for (const QUrl& url : mime->urls())
            if (url.isLocalFile()) paths.push_back(url.toLocalFile());
        event->acceptProposedAction();
        QString problem;
        if (drop_files(paths, at, &problem).empty() && !problem.isEmpty()) emit drop_refused(problem);
    }
}

std::vector<stacked_texture*> TtxstEditView::drop_textures_from(TtxstEditView& source,
                                                               const std::vector<stacked_texture*>& textures,
                                                               QPoint at, bool copy) {
    if (!set_ || !source.stack_set()) return {};
    // Only textures the source still holds are taken.
    std::vector<stacked_texture*> present;
    for (stacked_texture* t : textures)
        if (find_texture(*source.stack_set(), t).found()) present.push_back(t);
    if (present.empty()) return {};
    auto inserted = zephane::drop_textures(*set_, drop_point_at(at), present, copy || &source != this);
    finish_drop(inserted);
    return inserted;
}

std::vector<stacked_texture*> TtxstEditView::drop_files(const QStringList& paths, QPoint at,
                                                        QString* problem) {
    if (!set_) return {};
    StackInsertPoint point = drop_point_at(at);
    std::vector<stacked_texture*> inserted;
    bool opened = false;
    for (const QString& path : paths) {
        if (point.gap && !opened) {
            insert_stack(*set_, point.stack);
            opened = true;
        }
        std::vector<stacked_texture*> made;
        std::string reason;
        import_psd_layers_file(*set_, point.stack, point.position, QFile::encodeName(path).toStdString(), &made, &reason);
        if (made.empty() && problem)
            *problem = QStringLiteral("%1: %2").arg(path, reason.empty() ? QStringLiteral("nothing to import")
                                                                         : QString::fromStdString(reason));
        point.position += static_cast<long>(made.size());
        point.gap = false;
        inserted.insert(inserted.end(), made.begin(), made.end());
    }
    // A stack opened for files that gave nothing goes again.
    if (opened && inserted.empty()) compact_stack_set(*set_);
    finish_drop(inserted);
    return inserted;
}

void TtxstEditView::finish_drop(const std::vector<stacked_texture*>& inserted) {
    set_changed();
    add_to_selection(inserted);
    if (!inserted.empty()) {
        const TexturePlace place = find_texture(*set_, inserted.back());
        if (place.found())
            clicked_point_ = StackInsertPoint{static_cast<std::size_t>(place.stack), place.position + 1, false};
    }
    emit edited();
}

} // namespace zephane
