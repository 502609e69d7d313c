#include "app/value_controls.h"

#include "definitions/value_format.h"
#include "tags/tag_database.h"

#include <QImage>
#include <QPainter>

namespace zephane {

TagReferenceButton::TagReferenceButton(QWidget* parent) : QPushButton(parent) {
    setText(QStringLiteral("(tag unassigned)"));
    setMinimumWidth(180);
    setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
}

void TagReferenceButton::show_reference(const TagDatabase& db, tag_type type, tag_id id) {
    type_ = type;
    id_ = id;
    chosen_ = false;
    relabel(db);
}

void TagReferenceButton::choose(const TagDatabase& db, tag_id id) {
    id_ = is_null_reference(id) ? kNoTag : id;
    chosen_ = true;
    relabel(db);
    emit reference_changed();
}

void TagReferenceButton::relabel(const TagDatabase& db) {
    const QString label = QString::fromLatin1(format_tag_reference(db, type_, id_));
    setText(label);
    setToolTip(is_null_reference(id_) ? QString()
                                      : QStringLiteral("%1 (%2/%3)")
                                            .arg(label, QString::fromLatin1(tag_id_to_text(id_)),
                                                 QString::fromLatin1(tag_id_to_text(type_))));
    emit relabelled();
}

tag_id TagReferenceButton::stored_id() const {
    if (!chosen_) return id_;
    return is_null_reference(id_) ? kNoTag : id_;
}

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSwatch::set_colour(std::uint16_t red, std::uint16_t green, std::uint16_t blue) {
    colour_ = QColor(red >> 8, green >> 8, blue >> 8);
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(colour_);
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.drawImage(area, picture);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
}

} // namespace zephane
