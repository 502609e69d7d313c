#pragma once
// The waveform of one permutation: each channel in its own lane, lowest to highest sample
// per pixel column, and a cursor where playback is.

#include <QWidget>
#include <cstdint>
#include <vector>

namespace zephane {

class WaveformView : public QWidget {
    Q_OBJECT

public:
    explicit WaveformView(QWidget* parent = nullptr);

    // Samples interleaved by frame; no samples shows an empty view.
    void show_samples(std::vector<std::int16_t> samples, int channels, std::uint32_t rate);
    // Seconds from the start; negative hides the cursor.
    void set_cursor(double seconds);
    double seconds() const;
    int channels() const { return channels_; }

    QSize sizeHint() const override { return {360, 96}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::int16_t> samples_;
    int channels_ = 0;
    std::uint32_t rate_ = 0;
    double cursor_ = -1;
};

} // namespace zephane
