#pragma once
// Test playback for the sound editors: one output shared by every editor, a one-shot buffer
// per play holding the decoded 16-bit samples at the sound's rate and channel count. A new
// play replaces the one before it.

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QAudioSink;
class QBuffer;

namespace zephane {

class SoundPlayer : public QObject {
    Q_OBJECT

public:
    // The one every sound editor uses, made when the first editor asks for it.
    static SoundPlayer& shared();
    ~SoundPlayer() override;

    // Empty when playback can work; otherwise why not (no output device, the device refused).
    const QString& unavailable_reason() const { return unavailable_; }
    bool available() const { return unavailable_.isEmpty(); }

    // Starts playing the samples (interleaved by frame) once; false when the device cannot
    // (unavailable_reason then says why).
    bool play(const std::vector<std::int16_t>& samples, int channels, int rate);
    void stop();
    bool playing() const;
    // Seconds played of the current buffer.
    double position_seconds() const;
    // Counts the plays started, so an editor knows whether the current one is its own.
    std::uint64_t play_count() const { return plays_; }
    // The bytes handed to the device by the last play.
    const QByteArray& last_buffer() const { return bytes_; }

signals:
    // Playback started or ended.
    void state_changed();

private:
    SoundPlayer();
    void release();

    QAudioDevice device_;
    QString unavailable_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
    QByteArray bytes_;
    std::uint64_t plays_ = 0;
};

} // namespace zephane
