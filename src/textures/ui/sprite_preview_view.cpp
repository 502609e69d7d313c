#include "textures/ui/sprite_preview_view.h"

#include <QPainter>

namespace zephane {

QImage thumbnail_image(const Thumbnail& thumbnail) {
    QImage::Format format = QImage::Format_Invalid;
    switch (thumbnail.channels) {
    case 1: format = QImage::Format_Grayscale8; break;
    case 3: format = QImage::Format_RGB888; break;
    case 4: format = QImage::Format_RGBA8888; break;
    default: return {};
    }
    if (thumbnail.empty()) return {};
    const QImage view(thumbnail.pixels.data(), thumbnail.width, thumbnail.height,
                      thumbnail.width * thumbnail.channels, format);
    return view.copy(); // the thumbnail's pixels need not outlive the picture
}

SpritePreviewView::SpritePreviewView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSpritePreviewSide, kSpritePreviewSide);
}

void SpritePreviewView::show_thumbnail(const std::optional<Thumbnail>& thumbnail) {
    image_ = thumbnail ? thumbnail_image(*thumbnail) : QImage();
    update();
}

void SpritePreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!image_.isNull()) {
        const QPoint at((width() - image_.width()) / 2, (height() - image_.height()) / 2);
        painter.drawImage(at, image_);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zephane
