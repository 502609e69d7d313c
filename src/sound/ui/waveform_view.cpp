#include "sound/ui/waveform_view.h"

#include "sound/waveform.h"

#include <QPainter>

namespace zephane {

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(64);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void WaveformView::show_samples(std::vector<std::int16_t> samples, int channels, std::uint32_t rate) {
    samples_ = std::move(samples);
    channels_ = channels;
    rate_ = rate;
    cursor_ = -1;
    update();
}

void WaveformView::set_cursor(double seconds) {
    cursor_ = seconds;
    update();
}

double WaveformView::seconds() const { return sound_seconds(samples_.size(), channels_, rate_); }

void WaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(area, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    if (channels_ <= 0 || samples_.empty() || area.width() < 2) return;
    const auto width = static_cast<std::size_t>(area.width() - 1);
    const auto columns = waveform_columns(samples_, channels_, width);
    const int lane = area.height() / channels_;
    painter.setPen(palette().color(QPalette::Highlight));
    for (int channel = 0; channel < channels_; ++channel) {
        const int middle = area.top() + lane * channel + lane / 2;
        const double scale = (lane / 2 - 2) / 32768.0;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(area.left() + 1, middle, area.right() - 1, middle);
        painter.setPen(palette().color(QPalette::Highlight));
        const auto& lane_columns = columns[static_cast<std::size_t>(channel)];
        for (std::size_t c = 0; c < lane_columns.size(); ++c) {
            const int x = area.left() + 1 + static_cast<int>(c);
            painter.drawLine(x, middle - static_cast<int>(lane_columns[c].high * scale), x,
                             middle - static_cast<int>(lane_columns[c].low * scale));
        }
    }
    const double length = seconds();
    if (cursor_ >= 0 && length > 0) {
        const int x = area.left() + 1 +
                      static_cast<int>(std::min(cursor_ / length, 1.0) * static_cast<double>(width));
        painter.setPen(QPen(palette().color(QPalette::Text), 1));
        painter.drawLine(x, area.top() + 1, x, area.bottom() - 1);
    }
}

} // namespace zephane
