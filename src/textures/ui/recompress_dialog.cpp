#include "textures/ui/recompress_dialog.h"

#include "app/app_texts.h"
#include "framework/xg_dialog.h"
#include "textures/texture_pixels.h"
#include "textures/texture_stack.h"
#include "textures/ui/texture_image.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {

using namespace recompress_control;

constexpr int kDefaultRawQuality = 95;
constexpr int kPreviewSide = 256;
// Re-encoding a big texture takes a moment: slider moves are gathered first.
constexpr int kSettleMilliseconds = 80;

QString size_text(std::size_t size, std::size_t raw) {
    const std::size_t percent = raw ? (size * 100 + raw / 2) / raw : 0;
    return QString::asprintf("%d bytes (%d%%)", static_cast<int>(size), static_cast<int>(percent));
}

} // namespace

std::optional<RecompressChoice> run_recompress_dialog(QWidget* parent, const stacked_texture& texture,
                                                      bool offer_all, bool all_checked) {
    XGDialog dialog(kResource, QStringLiteral("Recompress Texture"), parent);
    dialog.set_cancel_id(kCancel);
    const bool jpeg = texture.format == kFormatJpeg;
    const bool can_jpeg = texture.channels != 2;
    int maximum = 100;
    int initial = kDefaultRawQuality;
    if (jpeg) {
        if (const auto estimate = estimate_jpeg_quality(texture)) maximum = std::min(*estimate + 1, 100);
        initial = maximum;
    }
    // The pixels every preview starts from, decoded as a recompression would.
    const std::optional<PixelImage> source = decode_texture(texture, true);

    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    auto* uncompressed = new QRadioButton(QStringLiteral("Uncompressed"), &dialog);
    auto* quality_radio = new QRadioButton(QStringLiteral("JPEG Quality:"), &dialog);
    auto* edit = new QLineEdit(QString::number(initial), &dialog);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    edit->setAlignment(Qt::AlignRight);
    auto* slider = new QSlider(Qt::Horizontal, &dialog);
    slider->setRange(1, maximum);
    slider->setValue(initial);
    slider->setMinimumWidth(160);
    grid->addWidget(uncompressed, 0, 0, 1, 3);
    grid->addWidget(quality_radio, 1, 0);
    grid->addWidget(edit, 1, 1);
    grid->addWidget(slider, 1, 2);
    layout->addLayout(grid);
    auto* preview = new QLabel(&dialog);
    preview->setAlignment(Qt::AlignCenter);
    preview->setMinimumSize(kPreviewSide, kPreviewSide);
    preview->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(preview, 1);
    auto* size = new QLabel(&dialog);
    size->setAlignment(Qt::AlignCenter);
    layout->addWidget(size);
    auto* use_all = new QCheckBox(QStringLiteral("Use for all selected textures"), &dialog);
    use_all->setChecked(all_checked);
    use_all->setVisible(offer_all);
    layout->addWidget(use_all);
    dialog.add_end_buttons(*layout, kCancel, QString::fromLatin1(text::kCancel), kRecompress,
                           QStringLiteral("Recompress"));
    for (auto [id, control] : {std::pair<int, QWidget*>{kUncompressed, uncompressed}, {kJpegQuality, quality_radio},
                               {kQualityEdit, edit}, {kQualitySlider, slider}, {kPreview, preview},
                               {kSizeText, size}, {kUseForAll, use_all}})
        dialog.register_control(id, control);

    (jpeg && can_jpeg ? quality_radio : uncompressed)->setChecked(true);
    quality_radio->setEnabled(can_jpeg);

    const auto quality = [&] { return std::clamp(edit->text().toInt(), 1, 100); };
    const auto show = [&] {
        const bool raw = uncompressed->isChecked();
        edit->setEnabled(!raw);
        slider->setEnabled(!raw);
        if (!source) {
            size->setText(QStringLiteral("The texture cannot be decoded."));
            return;
        }
        const PixelImage* shown = &*source;
        std::size_t bytes = texture.raw_size();
        std::optional<PixelImage> decoded;
        if (!raw) {
            if (const auto data = encode_jpeg_data(*source, quality())) {
                stacked_texture trial = texture;
                trial.set_data(*data, kFormatJpeg);
                bytes = data->size();
                decoded = decode_texture(trial, false);
                if (decoded) shown = &*decoded;
            }
        }
        preview->setPixmap(QPixmap::fromImage(pixel_image_to_qimage(*shown).scaled(
            kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        size->setText(size_text(bytes, texture.raw_size()));
    };
    QTimer settle;
    settle.setSingleShot(true);
    settle.setInterval(kSettleMilliseconds);
    QObject::connect(&settle, &QTimer::timeout, &dialog, show);
    QObject::connect(slider, &QSlider::valueChanged, &dialog, [&](int value) {
        if (edit->text().toInt() != value) edit->setText(QString::number(value));
        settle.start();
    });
    QObject::connect(edit, &QLineEdit::textEdited, &dialog, [&] {
        const QSignalBlocker quiet(slider);
        slider->setValue(std::min(quality(), maximum));
        settle.start();
    });
    QObject::connect(edit, &QLineEdit::editingFinished, &dialog,
                     [&] { edit->setText(QString::number(quality())); });
    QObject::connect(uncompressed, &QRadioButton::toggled, &dialog, show);
    show();

    if (dialog.run() != kRecompress) return std::nullopt;
    RecompressChoice choice;
    choice.quality = uncompressed->isChecked() ? kRawQuality : quality();
    choice.use_for_all = offer_all && use_all->isChecked();
    return choice;
}

} // namespace zephane
