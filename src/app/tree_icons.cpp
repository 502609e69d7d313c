// The pictures behind the row icon ids: a page for a tag (blue lines when its type has an
// editor, a red mark while it is modified, grey without an editor) and a folder for a group.

#include "app/tree_view.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace zephane {

namespace {

void draw_page(QPainter& p, const QColor& paper, const QColor& edge) {
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(9.5, 0.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 15.5);
    page.lineTo(2.5, 15.5);
    page.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(paper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(9.5, 0.5);
    fold.lineTo(9.5, 4.5);
    fold.lineTo(13.5, 4.5);
    p.setBrush(paper.darker(115));
    p.drawPath(fold);
}

void draw_lines(QPainter& p, const QColor& ink) {
    p.setPen(QPen(ink, 1));
    for (int y : {6, 8, 10, 12})
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(y == 6 ? 8.5 : 11.5, y + 0.5));
}

QPixmap draw_icon(std::uint16_t icon) {
    QPixmap pixmap(TTreeView::kIconSize, TTreeView::kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (icon) {
    case kIconTag:
        draw_page(p, QColor(255, 255, 255), QColor(70, 80, 100));
        draw_lines(p, QColor(50, 100, 200));
        break;
    case kIconTagModified:
        draw_page(p, QColor(255, 255, 255), QColor(70, 80, 100));
        draw_lines(p, QColor(50, 100, 200));
        p.setPen(QPen(QColor(150, 20, 20), 1));
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QRectF(7.5, 8.5, 7, 7));
        break;
    case kIconTagNoEditor:
        draw_page(p, QColor(225, 225, 225), QColor(120, 120, 120));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 150, 150));
        for (int y : {6, 9, 12})
            for (int x : {4, 7, 10}) p.drawRect(QRectF(x, y, 2, 2));
        break;
    case kIconGroup: {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath tab;
        tab.moveTo(0.5, 3.5);
        tab.lineTo(5.5, 3.5);
        tab.lineTo(7.5, 5.5);
        tab.lineTo(15.5, 5.5);
        tab.lineTo(15.5, 14.5);
        tab.lineTo(0.5, 14.5);
        tab.closeSubpath();
        p.drawPath(tab);
        p.setBrush(QColor(250, 220, 120));
        p.drawRect(QRectF(0.5, 7.5, 15, 7));
        break;
    }
    default:
        break;
    }
    return pixmap;
}

} // namespace

QIcon application_icon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 16.0, size / 16.0);
        // Two pages of a tag file, and the letter of the editor on the front one.
        p.translate(2, 0);
        draw_page(p, QColor(210, 220, 235), QColor(70, 80, 100));
        p.translate(-2, 0);
        draw_page(p, QColor(255, 255, 255), QColor(40, 60, 110));
        p.setPen(QPen(QColor(40, 90, 190), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({QPointF(4.5, 6), QPointF(11, 6), QPointF(4.5, 13), QPointF(11, 13)}));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QPixmap& TTreeView::icon_pixmap(std::uint16_t icon) {
    static std::map<std::uint16_t, QPixmap> cache;
    auto it = cache.find(icon);
    if (it == cache.end()) it = cache.emplace(icon, draw_icon(icon)).first;
    return it->second;
}

} // namespace zephane
