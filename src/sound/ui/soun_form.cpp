#include "sound/ui/soun_form.h"

#include "app/tag_edit_form.h"
#include "app/value_controls.h"
#include "base/errors.h"
#include "definitions/text_tag.h"
#include "definitions/value_format.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_text.h"
#include "sound/sound_permutations.h"
#include "sound/ui/sound_player.h"
#include "sound/ui/waveform_view.h"
#include "sound/wav_import.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <sstream>

namespace zephane {

namespace {

using namespace sound_control;

constexpr NumericFormat kFixed88{Encoding::fixed_8_8, 2, true, 2};
constexpr int kMaximum = MAXIMUM_PERMUTATIONS_PER_SOUND;
constexpr int kCursorMilliseconds = 30;

// The five flag boxes and the bits they stand for.
constexpr std::pair<int, unsigned> kFlagBits[] = {
    {kCannotBeRestarted, 0}, {kMultipleChannels, 1}, {kStoppedWithSource, 2},
    {kNotObstructedByMedia, 3}, {kSameSubtitle, 6}};

// A unit fraction (65535 = 1) shown as a percentage with the given decimals.
QString percent_text(std::uint16_t fraction, int decimals) {
    return QString::fromStdString(format_decimal(fraction * 100.0 / 65535.0, decimals));
}
std::uint16_t percent_fraction(const QString& text) {
    const double value = std::clamp(parse_number(latin1(text)) / 100.0, 0.0, 1.0);
    return static_cast<std::uint16_t>(std::lround(value * 65535.0));
}

constexpr std::uint32_t kFlagMask = [] {
    std::uint32_t mask = 0;
    for (auto [id, bit] : kFlagBits) mask |= 1u << bit;
    return mask;
}();

class TsounEditForm : public TTagEditForm {
public:
    TsounEditForm(TagDatabase& db, TagEntry& tag)
        : TTagEditForm(1023, "Sound Editing Window", db, tag) {
        setAcceptDrops(true);
        auto* columns = new QHBoxLayout(content());
        columns->setContentsMargins(10, 10, 10, 10);
        columns->setSpacing(10);
        auto* left = new QVBoxLayout;
        left->addWidget(build_flags());
        left->addWidget(build_sound());
        left->addWidget(build_subtitle());
        left->addStretch(1);
        columns->addLayout(left);
        columns->addWidget(build_permutations(), 1);

        SoundPlayer& player = SoundPlayer::shared();
        connect(&player, &SoundPlayer::state_changed, this, [this] { follow_player(); });
        cursor_timer_.setInterval(kCursorMilliseconds);
        connect(&cursor_timer_, &QTimer::timeout, this, [this] { follow_player(); });
        show_playback_note(player.unavailable_reason());
    }

    ~TsounEditForm() override {
        // What this editor started does not outlive it.
        if (playing_here()) SoundPlayer::shared().stop();
    }

protected:
    void do_reload() override {
        std::string reason;
        SoundTag read;
        if (!read_sound_definition(database(), tag(), read, &reason))
            throw UserError(tag().name + " - The sound cannot be read: " + reason);
        fill(std::move(read));
    }

    // The undo state is the payload Apply would write (permutations included).
    QByteArray undo_state() override {
        return state_of(build_sound_payload(from_controls()));
    }
    void restore_undo_state(const QByteArray& state) override {
        SoundTag kept = parse_sound_payload(bytes_of(state));
        // Bits no box shows stay as the tag had them.
        kept.definition.flags |= sound_.definition.flags & ~kFlagMask;
        fill(std::move(kept));
    }

    void fill(SoundTag sound) {
        sound_ = std::move(sound);
        const sound_definition& d = sound_.definition;
        for (auto [id, bit] : kFlagBits) set_boolean(id, (d.flags >> bit) & 1);
        set_popup(kLoudness, d.loudness, 0);
        play_fraction_ = d.play_fraction;
        play_fraction_text_ = percent_text(d.play_fraction, 2);
        control<QLineEdit>(kPlayFraction)->setText(play_fraction_text_);
        set_number(kFrequencyModifier, kFixed88, d.external_frequency_modifier);
        set_range(kPitchLower, kPitchUpper, kFixed88, {d.pitch_lower_bound, d.pitch_delta});
        set_range(kVolumeLower, kVolumeUpper, kFixed88, {d.volume_lower_bound, d.volume_delta});
        set_tag_reference(kStringList, kStringListTagType, d.string_list_id);
        fill_subtitles(d.subtitle_string_index);
        show_permutations(list_->currentRow() >= 0 ? list_->currentRow() : 0);
    }

    void do_apply() override {
        const SoundTag applied = from_controls();
        write_sound_definition(database(), tag(), applied);
        sound_ = applied;
    }

    // Flag bits no box shows are cleared by Apply but are no change of the user's: an
    // untouched editor is not modified.
    bool differs_from_tag() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) return true;
        SoundTag edited = from_controls();
        edited.definition.flags |= sound_.definition.flags & ~kFlagMask;
        return build_sound_payload(edited) != *payload;
    }

    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!wav_paths(*event->mimeData()).empty()) event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        const std::vector<std::string> paths = wav_paths(*event->mimeData());
        if (paths.empty()) return;
        event->acceptProposedAction();
        run_reporting_errors(this, [&] { add_files(paths); });
    }

private:
    // ---- Building ---------------------------------------------------------------------------
    QCheckBox* check_box(int id, const char* text, QWidget* parent) {
        return add_check_box(id, QString::fromLatin1(text), parent);
    }
    QLineEdit* number_edit(int id, QWidget* parent) {
        auto* edit = new QLineEdit(parent);
        edit->setFixedWidth(72);
        edit->setAlignment(Qt::AlignRight);
        register_control(id, edit);
        return edit;
    }
    // An edit box followed by "%".
    QWidget* percent_row(int id, QWidget* parent) {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(number_edit(id, row));
        layout->addWidget(new QLabel(QStringLiteral("%"), row));
        layout->addStretch(1);
        return row;
    }
    QWidget* range_row(int lower, int upper, QWidget* parent) {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(number_edit(lower, row));
        layout->addWidget(new QLabel(QStringLiteral("to"), row));
        layout->addWidget(number_edit(upper, row));
        layout->addStretch(1);
        return row;
    }

    QGroupBox* build_flags() {
        auto* group = new QGroupBox(QStringLiteral("Flags"), content());
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(check_box(kCannotBeRestarted, "Cannot Be Restarted", group));
        layout->addWidget(check_box(kMultipleChannels, "Can Occupy Multiple Channels", group));
        layout->addWidget(check_box(kStoppedWithSource, "Stopped When Source Disappears", group));
        layout->addWidget(check_box(kNotObstructedByMedia, "Cannot Be Obstructed By Media", group));
        layout->addWidget(check_box(kSameSubtitle, "All Permutations Use the Same Subtitle", group));
        return group;
    }

    QGroupBox* build_sound() {
        auto* group = new QGroupBox(QStringLiteral("Sound"), content());
        auto* form = new QFormLayout(group);
        auto* loudness = new QComboBox(group);
        loudness->addItems({QStringLiteral("Quiet"), QStringLiteral("Normal"), QStringLiteral("Loud"),
                            QStringLiteral("Narration")});
        register_control(kLoudness, loudness);
        form->addRow(QStringLiteral("Loudness:"), loudness);
        form->addRow(QStringLiteral("Play Fraction:"), percent_row(kPlayFraction, group));
        form->addRow(QStringLiteral("External Frequency Modifier:"), number_edit(kFrequencyModifier, group));
        form->addRow(QStringLiteral("Pitch:"), range_row(kPitchLower, kPitchUpper, group));
        form->addRow(QStringLiteral("Volume:"), range_row(kVolumeLower, kVolumeUpper, group));
        return group;
    }

    QGroupBox* build_subtitle() {
        auto* group = new QGroupBox(QStringLiteral("Subtitle"), content());
        auto* form = new QFormLayout(group);
        form->addRow(QStringLiteral("String List:"),
                     make_reference_field(kStringList, kOpenStringList, kStringListTagType, group));
        // Another list offers other strings; the chosen index stays when the new list has it.
        connect(control<TagReferenceButton>(kStringList), &TagReferenceButton::reference_changed,
                this, [this] { fill_subtitles(static_cast<int>(get_popup(kSubtitle, 0)) - 1); });
        auto* subtitle = new QComboBox(group);
        subtitle->setMinimumContentsLength(16);
        subtitle->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        register_control(kSubtitle, subtitle);
        form->addRow(QStringLiteral("Subtitle String:"), subtitle);
        return group;
    }

    QGroupBox* build_permutations() {
        auto* group = new QGroupBox(QStringLiteral("Permutations"), content());
        auto* layout = new QVBoxLayout(group);
        auto* top = new QHBoxLayout;
        list_ = new QListWidget(group);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setMinimumSize(200, 110);
        register_control(kPermutations, list_);
        top->addWidget(list_, 1);
        auto* buttons = new QVBoxLayout;
        for (auto [id, text] : {std::pair{kAdd, "Add"}, std::pair{kDuplicate, "Duplicate"},
                                std::pair{kDelete, "Delete"}, std::pair{kPlay, "Play"},
                                std::pair{kStop, "Stop"}}) {
            auto* button = new QPushButton(QString::fromLatin1(text), group);
            button->setAutoDefault(false);
            register_control(id, button);
            buttons->addWidget(button);
            connect(button, &QPushButton::clicked, this,
                    [this, id = id] { run_reporting_errors(this, [&] { command(id); }); });
        }
        buttons->addStretch(1);
        top->addLayout(buttons);
        layout->addLayout(top);

        auto* info = new QFormLayout;
        for (int id : {kFormatText, kSizeText, kChannelsText}) {
            auto* label = new QLabel(group);
            register_control(id, label);
        }
        auto* facts = new QHBoxLayout;
        facts->addWidget(control<QLabel>(kFormatText));
        facts->addSpacing(12);
        facts->addWidget(control<QLabel>(kSizeText));
        facts->addSpacing(12);
        facts->addWidget(control<QLabel>(kChannelsText));
        facts->addStretch(1);
        info->addRow(facts);
        auto* name = new QLineEdit(group);
        name->setMaxLength(static_cast<int>(kPermutationNameLength));
        register_control(kName, name);
        info->addRow(QStringLiteral("Name:"), name);
        info->addRow(QStringLiteral("Skip Percentage:"), percent_row(kSkip, group));
        layout->addLayout(info);

        waveform_ = new WaveformView(group);
        register_control(kWaveform, waveform_);
        layout->addWidget(waveform_, 1);
        auto* below = new QHBoxLayout;
        auto* duration = new QLabel(group);
        register_control(kDuration, duration);
        auto* note = new QLabel(group);
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("QLabel { color: #8a5a00; }"));
        register_control(kPlaybackNote, note);
        below->addWidget(duration);
        below->addWidget(note, 1);
        layout->addLayout(below);

        connect(list_, &QListWidget::currentRowChanged, this, [this] { show_selected(); });
        connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (SoundPermutation* p = selected()) {
                set_permutation_name(p->record, latin1(text));
                list_->currentItem()->setText(text);
                contents_changed();
            }
        });
        connect(control<QLineEdit>(kSkip), &QLineEdit::textEdited, this, [this](const QString& text) {
            if (SoundPermutation* p = selected()) {
                p->record.skip_fraction = percent_fraction(text);
                contents_changed();
            }
        });
        return group;
    }

    // ---- The definition -----------------------------------------------------------------------
    // The editor's sound with the controls read into its definition.
    SoundTag from_controls() {
        SoundTag out = sound_;
        sound_definition& d = out.definition;
        std::uint32_t flags = 0; // exactly the five boxes: every other bit is cleared
        for (auto [id, bit] : kFlagBits)
            if (get_boolean(id)) flags |= 1u << bit;
        d.flags = flags;
        d.loudness = static_cast<std::int16_t>(get_popup(kLoudness, 0));
        const QString fraction = control<QLineEdit>(kPlayFraction)->text();
        d.play_fraction = fraction == play_fraction_text_ ? play_fraction_ : percent_fraction(fraction);
        d.external_frequency_modifier =
            static_cast<std::int16_t>(get_number(kFrequencyModifier, kFixed88));
        const StoredRange pitch = get_range(kPitchLower, kPitchUpper, kFixed88);
        d.pitch_lower_bound = static_cast<std::int16_t>(pitch.lower);
        d.pitch_delta = static_cast<std::int16_t>(pitch.delta);
        const StoredRange volume = get_range(kVolumeLower, kVolumeUpper, kFixed88);
        d.volume_lower_bound = static_cast<std::int16_t>(volume.lower);
        d.volume_delta = static_cast<std::int16_t>(volume.delta);
        d.string_list_id = get_tag_reference(kStringList);
        d.subtitle_string_index = static_cast<std::int16_t>(get_popup(kSubtitle, 0) - 1);
        return out;
    }

    // "None", then every string of the chosen list; the stored index is the item − 1.
    void fill_subtitles(int index) {
        auto* popup = control<QComboBox>(kSubtitle);
        const QSignalBlocker quiet(popup);
        popup->clear();
        popup->addItem(QStringLiteral("None"));
        const tag_id list = get_tag_reference(kStringList);
        if (TagEntry* strings = is_null_reference(list) ? nullptr : database().find_tag(kStringListTagType, list)) {
            std::istringstream lines(read_text_tag(database(), *strings));
            for (std::string line; std::getline(lines, line);)
                popup->addItem(QString::fromLatin1(line));
        }
        set_popup(kSubtitle, index + 1, 0);
    }

    // ---- Permutations ---------------------------------------------------------------------------
    SoundPermutation* selected() {
        const int row = list_->currentRow();
        if (row < 0 || row >= static_cast<int>(sound_.permutations.size())) return nullptr;
        return &sound_.permutations[static_cast<std::size_t>(row)];
    }

    void show_permutations(int select) {
        const QSignalBlocker quiet(list_);
        list_->clear();
        for (const SoundPermutation& p : sound_.permutations)
            list_->addItem(QString::fromLatin1(permutation_name(p.record)));
        list_->setCurrentRow(std::min(select, list_->count() - 1));
        show_selected();
    }

    void show_selected() {
        const SoundPermutation* p = selected();
        const int count = static_cast<int>(sound_.permutations.size());
        enable_control(kAdd, count < kMaximum);
        enable_control(kDuplicate, p && count < kMaximum);
        enable_control(kDelete, p != nullptr);
        enable_control(kPlay, p && SoundPlayer::shared().available());
        enable_control(kName, p != nullptr);
        enable_control(kSkip, p != nullptr);
        auto* name = control<QLineEdit>(kName);
        auto* skip = control<QLineEdit>(kSkip);
        const QSignalBlocker quiet_name(name), quiet_skip(skip);
        if (!p) {
            for (int id : {kFormatText, kSizeText, kChannelsText, kDuration})
                control<QLabel>(id)->clear();
            name->clear();
            skip->clear();
            waveform_->show_samples({}, 0, 0);
            return;
        }
        const sampled_sound_header& h = p->header;
        control<QLabel>(kFormatText)->setText(QString::asprintf("%d bits, %d hz", h.bits_per_sample,
                                                                static_cast<int>(h.sample_rate >> 16)));
        control<QLabel>(kSizeText)->setText(
            QString::asprintf("%.1f k", static_cast<double>(p->data.size()) / 1024.0));
        control<QLabel>(kChannelsText)->setText(h.channels == 1 ? QStringLiteral("mono")
                                                                : QStringLiteral("stereo"));
        name->setText(QString::fromLatin1(permutation_name(p->record)));
        skip->setText(percent_text(p->record.skip_fraction, 1));
        std::string why;
        std::vector<std::int16_t> samples = decode_sound_permutation(*p, &why);
        const std::uint32_t rate = h.sample_rate >> 16;
        waveform_->show_samples(std::move(samples), h.channels, rate);
        control<QLabel>(kDuration)->setText(
            why.empty() ? QString::asprintf("%.2f s", waveform_->seconds()) : QString::fromStdString(why));
    }

    void command(int id) {
        SoundPermutation* p = selected();
        const auto row = static_cast<std::size_t>(std::max(list_->currentRow(), 0));
        switch (id) {
        case kAdd: {
            FileDialogRequest request;
            request.kind = FileDialogRequest::kOpen;
            request.filter = QStringLiteral("Wave Audio File|*.wav");
            request.default_extension = QStringLiteral("WAV");
            const std::optional<QString> path = xg_choose_file(this, request);
            if (path) add_files({path->toStdString()});
            return;
        }
        case kDuplicate:
            if (!p) return;
            refuse_unless_done(duplicate_sound_permutation(sound_, row));
            show_permutations(static_cast<int>(sound_.permutations.size()) - 1);
            break;
        case kDelete:
            if (!p) return;
            if (playing_here()) SoundPlayer::shared().stop();
            refuse_unless_done(delete_sound_permutation(sound_, row));
            show_permutations(static_cast<int>(row));
            break;
        case kPlay:
            if (p) play(*p);
            return;
        case kStop:
            SoundPlayer::shared().stop();
            return;
        default: return;
        }
        contents_changed();
    }

    static void refuse_unless_done(PermutationChange change) {
        if (change != PermutationChange::kDone) throw UserError(permutation_change_message(change));
    }

    // Each file in turn; a refusal ends the run with its message, the files before it added.
    void add_files(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            if (static_cast<int>(sound_.permutations.size()) >= kMaximum)
                throw UserError(permutation_change_message(PermutationChange::kFull));
            WavImport import = import_wav_file(path);
            if (import.result != kWavImported) throw UserError(import.message);
            refuse_unless_done(append_sound_permutation(sound_, std::move(import.permutation)));
            show_permutations(static_cast<int>(sound_.permutations.size()) - 1);
            contents_changed();
        }
    }

    static std::vector<std::string> wav_paths(const QMimeData& mime) {
        std::vector<std::string> paths;
        for (const QUrl& url : mime.urls())
            if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive))
                paths.push_back(url.toLocalFile().toStdString());
        return paths;
    }

    // ---- Playback --------------------------------------------------------------------------------
    void play(const SoundPermutation& p) {
        SoundPlayer& player = SoundPlayer::shared();
        if (p.header.sample_rate != kSampleRate22050) {
            show_playback_note(QStringLiteral("Only 22050 hz permutations play."));
            return;
        }
        std::string why;
        const std::vector<std::int16_t> samples = decode_sound_permutation(p, &why);
        if (samples.empty()) {
            show_playback_note(QString::fromStdString(why));
            return;
        }
        if (!player.play(samples, p.header.channels, static_cast<int>(kImportSampleRate))) {
            show_playback_note(player.unavailable_reason());
            enable_control(kPlay, player.available());
            return;
        }
        my_play_ = player.play_count();
        show_playback_note({});
        cursor_timer_.start();
        follow_player();
    }

    bool playing_here() const {
        const SoundPlayer& player = SoundPlayer::shared();
        return my_play_ != 0 && player.play_count() == my_play_ && player.playing();
    }

    void follow_player() {
        if (playing_here()) {
            waveform_->set_cursor(SoundPlayer::shared().position_seconds());
        } else {
            cursor_timer_.stop();
            waveform_->set_cursor(-1);
        }
        enable_control(kStop, playing_here());
    }

    void show_playback_note(const QString& note) {
        auto* label = control<QLabel>(kPlaybackNote);
        label->setText(note);
        if (!SoundPlayer::shared().available()) {
            control<QPushButton>(kPlay)->setToolTip(SoundPlayer::shared().unavailable_reason());
            enable_control(kPlay, false);
        }
        enable_control(kStop, playing_here());
    }

    SoundTag sound_;
    std::uint16_t play_fraction_ = 0;
    QString play_fraction_text_;
    QListWidget* list_ = nullptr;
    WaveformView* waveform_ = nullptr;
    QTimer cursor_timer_;
    std::uint64_t my_play_ = 0;
};

} // namespace

void register_sound_editor() {
    attach_tag_editor(kSoundTagType,
                      [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TsounEditForm>(db, tag); });
}

} // namespace zephane
