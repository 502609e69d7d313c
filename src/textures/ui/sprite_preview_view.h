#pragma once
// A frame's picture in the sprite editor: the thumbnail of its texture, centred in a framed
// square; empty when the frame has no texture to show.

#include "textures/texture_stack.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace zephane {

inline constexpr int kSpritePreviewSide = 136; // a 128-pixel thumbnail and its frame

class SpritePreviewView : public QWidget {
    Q_OBJECT

public:
    explicit SpritePreviewView(QWidget* parent = nullptr);
    void show_thumbnail(const std::optional<Thumbnail>& thumbnail);
    bool showing() const { return !image_.isNull(); }
    QSize image_size() const { return image_.size(); }
    QSize sizeHint() const override { return {kSpritePreviewSide, kSpritePreviewSide}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The thumbnail as a picture: gray, RGB or RGBA.
QImage thumbnail_image(const Thumbnail& thumbnail);

} // namespace zephane
