#include "sound/ui/sound_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <cstring>

namespace zephane {

SoundPlayer& SoundPlayer::shared() {
    static SoundPlayer* player = new SoundPlayer; // lives as long as the program
    return *player;
}

SoundPlayer::SoundPlayer() : device_(QMediaDevices::defaultAudioOutput()) {
    if (device_.isNull()) unavailable_ = QStringLiteral("No audio output device: playback is off.");
}

SoundPlayer::~SoundPlayer() { release(); }

void SoundPlayer::release() {
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
    sink_.reset();
    buffer_.reset();
}

bool SoundPlayer::play(const std::vector<std::int16_t>& samples, int channels, int rate) {
    release();
    if (!available()) return false;
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device_.isFormatSupported(format)) {
        unavailable_ = QStringLiteral("The audio output cannot play %1 Hz %2.")
                           .arg(rate)
                           .arg(channels == 1 ? QStringLiteral("mono") : QStringLiteral("stereo"));
        return false;
    }
    bytes_ = QByteArray(reinterpret_cast<const char*>(samples.data()),
                        static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
    buffer_ = std::make_unique<QBuffer>(&bytes_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device_, format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // The one-shot buffer has run out: playback is over.
        if (state == QAudio::IdleState && sink_) sink_->stop();
        emit state_changed();
    });
    ++plays_;
    sink_->start(buffer_.get());
    if (sink_->error() == QAudio::OpenError) {
        unavailable_ = QStringLiteral("The audio output could not be opened: playback is off.");
        release();
        emit state_changed();
        return false;
    }
    emit state_changed();
    return true;
}

void SoundPlayer::stop() {
    release();
    emit state_changed();
}

bool SoundPlayer::playing() const {
    return sink_ && (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState);
}

double SoundPlayer::position_seconds() const {
    return sink_ ? static_cast<double>(sink_->processedUSecs()) / 1e6 : 0;
}

} // namespace zephane
