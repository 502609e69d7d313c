// The sound editor through its controls: what Apply stores, the permutation list with its
// limits and refusals, the info texts, the waveform, and playback with and without a device.

#include "sound/sound_permutations.h"
#include "sound/sound_tag.h"
#include "sound/sound_test_files.h"
#include "sound/ui/soun_form.h"
#include "sound/ui/sound_player.h"
#include "sound/ui/waveform_view.h"
#include "sound/wav_import.h"
#include "app/value_controls.h"
#include "framework/xg_alert.h"
#include "ui/editor_support.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QListWidget>
#include <QUndoStack>
#include <QMimeData>
#include <QUrl>
#include <cstring>

namespace zephane {
namespace {

using namespace sound_control;
using uitest::Bytes;
using uitest::DialogScript;
using uitest::FileScript;
namespace data = zephane::test;

constexpr tag_type kSoun = fourcc("soun");
constexpr tag_type kStli = fourcc("stli");

SoundPermutation permutation(std::size_t frames, std::uint16_t channels, const std::string& name) {
    std::vector<std::int16_t> samples = data::test_signal(frames * channels, 3);
    WavImport made = import_wav_bytes(data::pcm_wav(samples, channels), name, name);
    EXPECT_EQ(made.result, kWavImported) << made.message;
    return made.permutation;
}

// Every definition flag set, a mono and a stereo permutation of 1,000 frames.
Bytes two_permutation_sound() {
    SoundTag sound;
    sound.definition = default_sound_definition();
    sound.definition.flags = 0xFFFFFFFF;
    append_sound_permutation(sound, permutation(1000, 1, "Boom"));
    append_sound_permutation(sound, permutation(1000, 2, "Wide"));
    return build_sound_payload(sound);
}

class SoundEditor : public uitest::EditorFixture {
protected:
    TTagEditForm& open_sound() {
        add_file("sounds", {{kSoun, fourcc("boom"), "Boom", two_permutation_sound()},
                            {kStli, fourcc("subs"), "Subtitles", Bytes{'f', 'i', 'r', 's', 't', 13, 's', 'e', 'c', 'o', 'n', 'd'}}});
        return open(kSoun, fourcc("boom"));
    }
    SoundTag stored() { return parse_sound_payload(payload(kSoun, fourcc("boom"))); }
    static QListWidget& list(TTagEditForm& editor) { return *editor.control<QListWidget>(kPermutations); }
    std::string wav(const std::string& name, std::size_t frames, std::uint16_t channels = 1,
                    std::uint32_t rate = 22050) {
        return folder.write(name, data::pcm_wav(data::test_signal(frames * channels), channels, rate));
    }
};

TEST_F(SoundEditor, ApplyStoresExactlyWhatTheControlsSay) {
    TTagEditForm& editor = open_sound();
    EXPECT_EQ(editor.form_title(), "Sound Editing Window");
    for (int id : {kCannotBeRestarted, kMultipleChannels, kStoppedWithSource, kNotObstructedByMedia, kSameSubtitle})
        EXPECT_TRUE(checked(editor, id)) << id;
    EXPECT_FALSE(editor.isModified()) << "flag bits without a box do not count as a change";

    click(editor, kMultipleChannels); // off
    choose(editor, kLoudness, 2);     // "Loud"
    type(editor, kPlayFraction, "50");
    type(editor, kFrequencyModifier, "2");
    type(editor, kPitchLower, "2");
    type(editor, kPitchUpper, "1"); // typed the wrong way round
    type(editor, kVolumeLower, "0.5");
    type(editor, kVolumeUpper, "0.5");
    EXPECT_TRUE(editor.isModified());
    click(editor, TTagEditForm::kApplyButton);

    const sound_definition d = stored().definition;
    EXPECT_EQ(d.flags, 0x4Du) << "the four boxes still on, every other bit cleared";
    EXPECT_EQ(d.loudness, 2);
    EXPECT_EQ(d.play_fraction, 32768); // 50 % of 65535, rounded
    EXPECT_EQ(d.external_frequency_modifier, 512);
    EXPECT_EQ(d.pitch_lower_bound, 256);
    EXPECT_EQ(d.pitch_delta, 257); // 1.0 to 2.0 by the range rule
    EXPECT_EQ(d.volume_lower_bound, 128);
    EXPECT_EQ(d.volume_delta, 0);
    EXPECT_EQ(text(editor, kPlayFraction), "50.0");
    EXPECT_EQ(text(editor, kPitchLower), "1.0");
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(stored().permutations.size(), 2u) << "the permutations are untouched";
}

TEST_F(SoundEditor, TheSubtitlePopupListsTheStringListAndStoresTheItemMinusOne) {
    TTagEditForm& editor = open_sound();
    editor.control<TagReferenceButton>(kStringList)->choose(app->db(), fourcc("subs"));
    auto* subtitle = editor.control<QComboBox>(kSubtitle);
    ASSERT_EQ(subtitle->count(), 3);
    EXPECT_EQ(subtitle->itemText(0), "None");
    EXPECT_EQ(subtitle->itemText(2), "second");
    choose(editor, kSubtitle, 2);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().definition.string_list_id, fourcc("subs"));
    EXPECT_EQ(stored().definition.subtitle_string_index, 1);
    choose(editor, kSubtitle, 0);
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().definition.subtitle_string_index, -1);
}

TEST_F(SoundEditor, InfoTextsAndWaveformFollowTheSelection) {
    TTagEditForm& editor = open_sound();
    EXPECT_EQ(list(editor).currentRow(), 0);
    EXPECT_EQ(text(editor, kFormatText), "16 bits, 22050 hz");
    EXPECT_EQ(text(editor, kSizeText), "0.5 k"); // 16 blocks of 34 bytes
    EXPECT_EQ(text(editor, kChannelsText), "mono");
    EXPECT_EQ(text(editor, kName), "Boom");
    EXPECT_EQ(text(editor, kSkip), "0.0");
    auto* waveform = editor.control<WaveformView>(kWaveform);
    EXPECT_EQ(waveform->channels(), 1);
    EXPECT_EQ(text(editor, kDuration), "0.05 s"); // 1,024 decoded frames at 22,050 Hz
    list(editor).setCurrentRow(1);
    EXPECT_EQ(text(editor, kSizeText), "1.1 k");
    EXPECT_EQ(text(editor, kChannelsText), "stereo");
    EXPECT_EQ(waveform->channels(), 2);

    // Renaming and the skip percentage go into the permutation record.
    type(editor, kName, "Wider");
    type(editor, kSkip, "25");
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(permutation_name(stored().permutations[1].record), "Wider");
    EXPECT_EQ(stored().permutations[1].record.skip_fraction, 16384);
    EXPECT_EQ(list(editor).item(1)->text(), "Wider");
}

TEST_F(SoundEditor, AddDuplicateAndDeleteKeepThePayloadsSizesAndStopAtFive) {
    TTagEditForm& editor = open_sound();
    const std::string tone = wav("tone.wav", 700);
    {
        FileScript files({QString::fromStdString(tone)});
        click(editor, kAdd);
        EXPECT_EQ(files.requests().front().filter, "Wave Audio File|*.wav");
    }
    EXPECT_EQ(list(editor).count(), 3);
    EXPECT_EQ(list(editor).item(2)->text(), "tone");
    click(editor, kDuplicate);
    EXPECT_EQ(list(editor).count(), 4);

    // Dropped files are added as well.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(wav("drop.wav", 64)))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&editor, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&editor, &drop);
    EXPECT_EQ(list(editor).count(), 5);
    EXPECT_FALSE(enabled(editor, kAdd));
    EXPECT_FALSE(enabled(editor, kDuplicate));

    click(editor, TTagEditForm::kApplyButton);
    Bytes bytes = payload(kSoun, fourcc("boom"));
    SoundTag five = stored();
    std::size_t data = 0;
    for (const SoundPermutation& p : five.permutations) data += p.data.size();
    EXPECT_EQ(five.definition.number_of_permutations, 5);
    EXPECT_EQ(bytes.size(), 64 + 64 * 5 + data);
    EXPECT_EQ(five.definition.sound_offset, 64u + 32 * 5);
    EXPECT_EQ(five.definition.sound_size, 32 * 5 + data);
    EXPECT_EQ(five.permutations[3].data, five.permutations[2].data) << "the duplicate";

    list(editor).setCurrentRow(0);
    click(editor, kDelete);
    EXPECT_EQ(list(editor).item(0)->text(), "Wide");
    EXPECT_TRUE(enabled(editor, kAdd));
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(stored().permutations.size(), 4u);
    EXPECT_EQ(payload(kSoun, fourcc("boom")).size(), 64 + 64 * 4 + data - 544);
}

TEST_F(SoundEditor, RefusedWavFilesSayWhyAndAddNothing) {
    TTagEditForm& editor = open_sound();
    for (const std::string& refused : {wav("fast.wav", 100, 1, 44100), folder.write("not.wav", Bytes{1, 2, 3})}) {
        FileScript files({QString::fromStdString(refused)});
        DialogScript alerts({[](XGDialog& alert) {
            EXPECT_FALSE(alert.text_of(kAlertTextControl).isEmpty());
            alert.click(1);
        }});
        click(editor, kAdd);
        EXPECT_EQ(alerts.titles(), std::vector<QString>{"Error"});
    }
    EXPECT_EQ(list(editor).count(), 2);
    EXPECT_FALSE(editor.isModified());
}

TEST_F(SoundEditor, WithoutAnAudioDeviceThePlayButtonSaysWhy) {
    if (SoundPlayer::shared().available()) GTEST_SKIP() << "an audio device is present";
    TTagEditForm& editor = open_sound();
    EXPECT_FALSE(enabled(editor, kPlay));
    EXPECT_EQ(text(editor, kPlaybackNote), "No audio output device: playback is off.");
    EXPECT_EQ(editor.find_control(kPlay)->toolTip(), "No audio output device: playback is off.");
    EXPECT_FALSE(SoundPlayer::shared().play({0, 0}, 1, 22050)) << "and the player refuses quietly";
    EXPECT_FALSE(SoundPlayer::shared().playing());
}

// Runs with a null PulseAudio sink (tests/sound/ui/with_null_sink.sh); skipped without one.
TEST_F(SoundEditor, PlayHandsTheDeviceTheDecodedSamples) {
    SoundPlayer& player = SoundPlayer::shared();
    if (!player.available()) {
        // The null-sink run promises a device: there, none is a failure.
        ASSERT_TRUE(qEnvironmentVariableIsEmpty("ZEPHANE_EXPECT_AUDIO")) << player.unavailable_reason().toStdString();
        GTEST_SKIP() << "no audio device";
    }
    TTagEditForm& editor = open_sound();
    list(editor).setCurrentRow(1); // stereo
    ASSERT_TRUE(enabled(editor, kPlay));
    click(editor, kPlay);
    ASSERT_TRUE(player.playing()) << text(editor, kPlaybackNote).toStdString();
    const std::vector<std::int16_t> decoded = decode_sound_permutation(stored().permutations[1]);
    const QByteArray& handed = player.last_buffer();
    ASSERT_EQ(static_cast<std::size_t>(handed.size()), decoded.size() * 2);
    EXPECT_EQ(std::memcmp(handed.constData(), decoded.data(), decoded.size() * 2), 0);
    EXPECT_TRUE(enabled(editor, kStop));
    // A new play replaces the one before it; the short sound then ends by itself.
    list(editor).setCurrentRow(0);
    click(editor, kPlay);
    EXPECT_EQ(static_cast<std::size_t>(player.last_buffer().size()),
              decode_sound_permutation(stored().permutations[0]).size() * 2);
    QElapsedTimer waited;
    waited.start();
    while (player.playing() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(player.playing());
    EXPECT_FALSE(enabled(editor, kStop));
}

} // namespace
} // namespace zephane

namespace zephane {
namespace {

TEST_F(SoundEditor, PermutationStepsAreUndoneToTheSameBytes) {
    TTagEditForm& editor = open_sound();
    const Bytes before = payload(kSoun, fourcc("boom"));
    click(editor, kDuplicate);
    list(editor).setCurrentRow(0);
    click(editor, kDelete);
    EXPECT_EQ(editor.undo_stack().count(), 2);
    EXPECT_EQ(editor.undo_stack().undoText(), "Delete");
    click(editor, TTagEditForm::kApplyButton);
    const Bytes after = payload(kSoun, fourcc("boom"));
    ASSERT_NE(after, before);

    editor.undo_stack().undo();
    editor.undo_stack().undo();
    EXPECT_EQ(list(editor).count(), 2);
    click(editor, TTagEditForm::kApplyButton);
    // As before, but for the flag bits no box shows, which every Apply clears.
    const SoundTag was = parse_sound_payload(before), now = stored();
    ASSERT_EQ(now.permutations.size(), was.permutations.size());
    for (std::size_t k = 0; k < was.permutations.size(); ++k)
        EXPECT_EQ(now.permutations[k].data, was.permutations[k].data);
    SoundTag expected = was;
    expected.definition.flags = now.definition.flags;
    EXPECT_EQ(payload(kSoun, fourcc("boom")), build_sound_payload(expected));
    editor.undo_stack().redo();
    editor.undo_stack().redo();
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(kSoun, fourcc("boom")), after);
}

} // namespace
} // namespace zephane
