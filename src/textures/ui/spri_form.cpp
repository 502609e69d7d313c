#include "textures/ui/spri_form.h"

#include "app/list_editor.h"
#include "app/tag_edit_form.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"
#include "textures/sprite_preview.h"
#include "textures/ui/sprite_frame_dialog.h"
#include "textures/ui/sprite_preview_view.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {

using namespace sprite_control;

constexpr int kDecimals = 3;
constexpr tag_type kSoundTag = fourcc("soun");
constexpr std::pair<int, std::int32_t> kModes[] = {
    {kLoopsForever, kSpriteLoopsForever}, {kLoopsFinite, kSpriteLoopsFinite}, {kExpiresByTime, kSpriteExpiresByTime}};
constexpr int kColourIds[4] = {kRed, kGreen, kBlue, kAlpha};

int count_of(std::size_t size) {
    return static_cast<int>(size);
}

class TspriEditForm : public TTagEditForm {
public:
    TspriEditForm(TagDatabase& db, TagEntry& tag) : TTagEditForm(kResource, "Sprite Definition", db, tag) {
        auto* columns = new QHBoxLayout(content());
        columns->setContentsMargins(10, 10, 10, 10);
        columns->setSpacing(10);
        auto* left = new QVBoxLayout;
        auto* dies = new QCheckBox(QStringLiteral("Dies at end of sequence"), content());
        register_control(kDiesAtEnd, dies);
        left->addWidget(dies);
        left->addWidget(build_frames(), 1);
        columns->addLayout(left);
        columns->addWidget(build_sequences());
        columns->addWidget(build_entries(), 1);
    }

    void tagChanged(tag_type type, tag_id id) override {
        TTagEditForm::tagChanged(type, id);
        if (type == kTextureStackType) show_previews();
    }

protected:
    void do_reload() override {
        std::string reason;
        SpriteDefinition read;
        if (!read_sprite_definition(database(), tag(), read, &reason))
            throw UserError(tag().name + " - The sprite definition cannot be read: " + reason);
        fill(std::move(read));
    }

    // The undo state is the payload Apply would write (frames and sequences included).
    QByteArray undo_state() override {
        return state_of(build_sprite_payload(from_controls()));
    }
    void restore_undo_state(const QByteArray& state) override {
        SpriteDefinition kept = parse_sprite_payload(bytes_of(state));
        // Type flags other than the box's stay as the tag had them.
        kept.header.type_flags = static_cast<decltype(kept.header.type_flags)>(
            (def_.header.type_flags & ~kSpriteDiesAtEndOfSequence) |
            (kept.header.type_flags & kSpriteDiesAtEndOfSequence));
        fill(std::move(kept));
    }

    void fill(SpriteDefinition definition) {
        def_ = std::move(definition);
        set_boolean(kDiesAtEnd, def_.header.type_flags & kSpriteDiesAtEndOfSequence);
        const int frame = frames_->currentRow(), sequence = sequences_->currentRow();
        const int entry = entries_->currentRow();
        show_frames(frame);
        show_sequences(sequence, entry);
    }

    void do_apply() override {
        const SpriteDefinition applied = from_controls();
        write_sprite_definition(database(), tag(), applied);
        def_ = applied;
    }

    // The editor writes the type flags as just the one bit; the others are no change of the
    // user's, so an untouched editor is not modified by them.
    bool differs_from_tag() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) return true;
        SpriteDefinition stored;
        try {
            stored = parse_sprite_payload(*payload);
        } catch (const FormatError&) {
            return true;
        }
        SpriteDefinition edited = from_controls();
        edited.header.type_flags |= stored.header.type_flags & ~kSpriteDiesAtEndOfSequence;
        return sprite_definitions_differ(edited, stored);
    }

private:
    // ---- Building ---------------------------------------------------------------------------
    QLineEdit* number_edit(int id, QWidget* parent) {
        auto* edit = new QLineEdit(parent);
        edit->setFixedWidth(64);
        edit->setAlignment(Qt::AlignRight);
        register_control(id, edit);
        return edit;
    }

    SpritePreviewView* preview(int id, QWidget* parent) {
        auto* view = new SpritePreviewView(parent);
        register_control(id, view);
        return view;
    }

    QGroupBox* build_frames() {
        auto* group = new QGroupBox(QStringLiteral("Sprite Frames"), content());
        auto* layout = new QVBoxLayout(group);
        const ListEditor pool = make_list_editor(
            *this, group, kFrames, {120, 160},
            {{kAddFrame, "Add"}, {kRemoveFrame, "Remove"}, {kDuplicateFrame, "Dup"}, {kEditFrame, "Edit"}},
            [this](int id) { command(id); });
        frames_ = pool.list;
        layout->addWidget(pool.widget, 1);
        frame_preview_ = preview(kFramePreview, group);
        layout->addWidget(frame_preview_, 0, Qt::AlignHCenter);
        connect(frames_, &QListWidget::currentRowChanged, this, [this] { frame_selected(); });
        connect(frames_, &QListWidget::itemDoubleClicked, this,
                [this] { run_reporting_errors(this, [&] { command(kEditFrame); }); });
        return group;
    }

    QGroupBox* build_sequences() {
        auto* group = new QGroupBox(QStringLiteral("Sequences"), content());
        auto* layout = new QVBoxLayout(group);
        const ListEditor list = make_list_editor(*this, group, kSequences, {110, 140},
                                                 {{kNewSequence, "New"}, {kDeleteSequence, "Delete"}},
                                                 [this](int id) { command(id); });
        sequences_ = list.list;
        // Room for the eight sequences a definition holds, no more.
        sequences_->setMaximumHeight(sequences_->fontMetrics().height() * MAX_SPRITE_SEQUENCES + 12);
        layout->addWidget(list.widget);
        for (auto [id, mode] : kModes) {
            const char* text = mode == kSpriteLoopsForever  ? "Loops Forever"
                               : mode == kSpriteLoopsFinite ? "Loops Finite"
                                                            : "Expires By Time";
            auto* radio = new QRadioButton(QString::fromLatin1(text), group);
            register_control(id, radio);
            layout->addWidget(radio);
        }
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Time:"), number_edit(kTime, group));
        form->addRow(QStringLiteral("Prb:"), number_edit(kProbability, group));
        layout->addLayout(form);
        layout->addStretch(1);
        connect(sequences_, &QListWidget::currentRowChanged, this, [this] {
            store_options();
            sequence_selected(0);
        });
        return group;
    }

    QGroupBox* build_entries() {
        auto* group = new QGroupBox(QStringLiteral("Frames:"), content());
        auto* layout = new QVBoxLayout(group);
        const ListEditor list = make_list_editor(*this, group, kEntries, {110, 140},
                                                 {{kToSequence, "To Seq"}, {kRemoveEntry, "Remove Frame"}},
                                                 [this](int id) { command(id); });
        entries_ = list.list;
        layout->addWidget(list.widget, 1);
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Ticks:"), number_edit(kTicks, group));
        form->addRow(QStringLiteral("Rotation:"), number_edit(kRotation, group));
        form->addRow(QStringLiteral("Scale:"), number_edit(kScale, group));
        QWidget* sound = make_reference_field(kSound, kOpenSound, kSoundTag, group);
        sound->setMinimumWidth(150);
        form->addRow(QStringLiteral("Sound:"), sound);
        layout->addLayout(form);
        auto* colour = new QGroupBox(QStringLiteral("Color Modulation"), group);
        auto* grid = new QGridLayout(colour);
        constexpr const char* kNames[4] = {"R", "G", "B", "A"};
        for (int k = 0; k < 4; ++k) {
            grid->addWidget(new QLabel(QString::fromLatin1(kNames[k]), colour), 0, k, Qt::AlignHCenter);
            grid->addWidget(number_edit(kColourIds[k], colour), 1, k);
        }
        layout->addWidget(colour);
        entry_preview_ = preview(kEntryPreview, group);
        layout->addWidget(entry_preview_, 0, Qt::AlignHCenter);
        connect(entries_, &QListWidget::currentRowChanged, this, [this] {
            store_entry_options();
            entry_selected();
        });
        return group;
    }

    // ---- The definition and the controls -----------------------------------------------------
    SpriteDefinition from_controls() {
        store_options();
        SpriteDefinition out = def_;
        out.header.type_flags = get_boolean(kDiesAtEnd) ? kSpriteDiesAtEndOfSequence : 0;
        return out;
    }

    SpriteSequence* sequence_at(int row) {
        if (row < 0 || row >= count_of(def_.sequences.size())) return nullptr;
        return &def_.sequences[static_cast<std::size_t>(row)];
    }
    SpriteEntry* entry_at(int sequence, int row) {
        SpriteSequence* s = sequence_at(sequence);
        if (!s || row < 0 || row >= count_of(s->entries.size())) return nullptr;
        return &s->entries[static_cast<std::size_t>(row)];
    }

    // The options of the sequence and entry shown go back into them.
    void store_options() {
        store_sequence_options();
        store_entry_options();
    }
    void store_sequence_options() {
        SpriteSequence* s = sequence_at(shown_sequence_);
        if (!s) return;
        for (auto [id, mode] : kModes)
            if (control<QRadioButton>(id)->isChecked()) s->record.mode = mode; // none: the stored mode stays
        s->record.time = static_cast<std::int32_t>(get_integer(kTime));
        s->record.probability = static_cast<std::int32_t>(get_integer(kProbability));
    }
    void store_entry_options() {
        SpriteEntry* e = entry_at(shown_sequence_, shown_entry_);
        if (!e) return;
        e->ticks = static_cast<std::int32_t>(get_integer(kTicks));
        e->rotation = get_decimal(kRotation);
        for (std::size_t k = 0; k < 4; ++k) e->color[k] = get_decimal(kColourIds[k]);
        e->scale = get_decimal(kScale);
        e->sound = get_tag_reference(kSound);
    }

    void show_frames(int select) {
        {
            const QSignalBlocker quiet(frames_);
            frames_->clear();
            for (int k = 0; k < count_of(def_.frames.size()); ++k)
                frames_->addItem(QStringLiteral("frame %1").arg(k));
            frames_->setCurrentRow(std::clamp(select, 0, frames_->count() - 1));
        }
        frame_selected();
    }

    void frame_selected() {
        const int frame = frames_->currentRow();
        frame_preview_->show_thumbnail(
            frame >= 0 ? sprite_frame_preview(database(), def_.frames[static_cast<std::size_t>(frame)])
                       : std::nullopt);
        enable_buttons();
    }

    void show_sequences(int select, int entry) {
        {
            const QSignalBlocker quiet(sequences_);
            sequences_->clear();
            for (int k = 0; k < count_of(def_.sequences.size()); ++k)
                sequences_->addItem(QStringLiteral("sequence %1").arg(k));
            sequences_->setCurrentRow(std::clamp(select, 0, sequences_->count() - 1));
        }
        sequence_selected(entry);
    }

    static void check_only(QRadioButton* radio, bool on) {
        // Turning the last checked button off needs the group's exclusivity lifted.
        radio->setAutoExclusive(false);
        radio->setChecked(on);
        radio->setAutoExclusive(true);
    }

    void sequence_selected(int entry) {
        shown_sequence_ = -1; // filling the controls is no edit of a sequence
        shown_entry_ = -1;
        const int row = sequences_->currentRow();
        const SpriteSequence* s = sequence_at(row);
        for (auto [id, mode] : kModes) {
            check_only(control<QRadioButton>(id), s && s->record.mode == mode);
            enable_control(id, s != nullptr);
        }
        for (int id : {kTime, kProbability}) enable_control(id, s != nullptr);
        if (s) {
            set_integer(kTime, s->record.time);
            set_integer(kProbability, s->record.probability);
        } else {
            control<QLineEdit>(kTime)->clear();
            control<QLineEdit>(kProbability)->clear();
        }
        shown_sequence_ = s ? row : -1;
        show_entries(entry);
    }

    void show_entries(int select) {
        shown_entry_ = -1;
        {
            const QSignalBlocker quiet(entries_);
            entries_->clear();
            if (const SpriteSequence* s = sequence_at(shown_sequence_))
                for (const SpriteEntry& e : s->entries) entries_->addItem(QStringLiteral("frame %1").arg(e.frame));
            entries_->setCurrentRow(std::clamp(select, 0, entries_->count() - 1));
        }
        entry_selected();
    }

    void entry_selected() {
        shown_entry_ = -1;
        const int row = entries_->currentRow();
        const SpriteEntry* e = entry_at(shown_sequence_, row);
        for (int id : {kTicks, kRotation, kRed, kGreen, kBlue, kAlpha, kScale, kSound})
            enable_control(id, e != nullptr);
        if (e) {
            set_integer(kTicks, e->ticks);
            set_decimal(kRotation, e->rotation, kDecimals);
            for (std::size_t k = 0; k < 4; ++k) set_decimal(kColourIds[k], e->color[k], kDecimals);
            set_decimal(kScale, e->scale, kDecimals);
            set_tag_reference(kSound, kSoundTag, e->sound);
        } else {
            for (int id : {kTicks, kRotation, kRed, kGreen, kBlue, kAlpha, kScale}) control<QLineEdit>(id)->clear();
            set_tag_reference(kSound, kSoundTag, kNoTag);
        }
        shown_entry_ = e ? row : -1;
        show_entry_preview();
        enable_buttons();
    }

    void show_entry_preview() {
        const SpriteEntry* e = entry_at(shown_sequence_, shown_entry_);
        const bool known = e && e->frame >= 0 && e->frame < count_of(def_.frames.size());
        entry_preview_->show_thumbnail(
            known ? sprite_frame_preview(database(), def_.frames[static_cast<std::size_t>(e->frame)])
                  : std::nullopt);
    }

    void show_previews() {
        frame_selected();
        show_entry_preview();
    }

    void enable_buttons() {
        const bool frame = frames_->currentRow() >= 0;
        const int frames = count_of(def_.frames.size());
        const SpriteSequence* s = sequence_at(shown_sequence_);
        enable_control(kAddFrame, frames < MAX_SPRITE_FRAMES);
        enable_control(kRemoveFrame, frame);
        enable_control(kDuplicateFrame, frame && frames < MAX_SPRITE_FRAMES);
        enable_control(kEditFrame, frame);
        enable_control(kNewSequence, count_of(def_.sequences.size()) < MAX_SPRITE_SEQUENCES);
        enable_control(kDeleteSequence, !def_.sequences.empty());
        enable_control(kToSequence, frame && s && count_of(s->entries.size()) < MAX_SPRITE_SEQUENCE_ENTRIES);
        enable_control(kRemoveEntry, entry_at(shown_sequence_, shown_entry_) != nullptr);
    }

    // ---- Commands ------------------------------------------------------------------------------
    static void refuse_unless_done(SpriteChange change) {
        if (change != SpriteChange::kDone) throw UserError(sprite_change_message(change));
    }

    void command(int id) {
        store_options();
        const int frame = frames_->currentRow();
        const auto at = static_cast<std::size_t>(std::max(frame, 0));
        const int sequence = shown_sequence_;
        const auto seq = static_cast<std::size_t>(std::max(sequence, 0));
        switch (id) {
        case kAddFrame: {
            if (count_of(def_.frames.size()) >= MAX_SPRITE_FRAMES) refuse_unless_done(SpriteChange::kFramesFull);
            sprite_frame made = new_sprite_frame();
            if (!edit_sprite_frame(*this, made)) return; // cancelled: no frame
            refuse_unless_done(add_sprite_frame(def_, made));
            show_frames(count_of(def_.frames.size()) - 1);
            break;
        }
        case kRemoveFrame:
            if (frame < 0) return;
            refuse_unless_done(remove_sprite_frame(def_, at));
            show_frames(frame);
            show_entries(entries_->currentRow()); // entries after it were renumbered
            break;
        case kDuplicateFrame:
            if (frame < 0) return;
            refuse_unless_done(duplicate_sprite_frame(def_, at));
            show_frames(count_of(def_.frames.size()) - 1);
            break;
        case kEditFrame:
            if (frame < 0 || !edit_sprite_frame(*this, def_.frames[at])) return;
            show_previews(); // the frame changed: its picture is made again
            break;
        case kNewSequence:
            refuse_unless_done(append_sprite_sequence(def_));
            show_sequences(count_of(def_.sequences.size()) - 1, 0);
            break;
        case kDeleteSequence:
            refuse_unless_done(delete_last_sprite_sequence(def_));
            show_sequences(std::min(sequence, count_of(def_.sequences.size()) - 1), entries_->currentRow());
            break;
        case kToSequence:
            if (frame < 0 || sequence < 0) return;
            refuse_unless_done(append_sequence_entry(def_, seq, at));
            show_entries(count_of(def_.sequences[seq].entries.size()) - 1);
            break;
        case kRemoveEntry: {
            const int entry = shown_entry_;
            if (entry < 0) return;
            refuse_unless_done(remove_sequence_entry(def_, seq, static_cast<std::size_t>(entry)));
            show_entries(entry);
            break;
        }
        default: return;
        }
        contents_changed();
    }

    SpriteDefinition def_;
    QListWidget* frames_ = nullptr;
    QListWidget* sequences_ = nullptr;
    QListWidget* entries_ = nullptr;
    SpritePreviewView* frame_preview_ = nullptr;
    SpritePreviewView* entry_preview_ = nullptr;
    int shown_sequence_ = -1; // whose options the controls show
    int shown_entry_ = -1;
};

} // namespace

void register_sprite_editor() {
    attach_tag_editor(kSpriteTagType,
                      [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TspriEditForm>(db, tag); });
}

} // namespace zephane
