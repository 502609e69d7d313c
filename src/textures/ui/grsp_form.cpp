#include "textures/ui/grsp_form.h"

#include "app/tag_edit_form.h"
#include "app/value_controls.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_text.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"

#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace zephane {

namespace {

using namespace ground_sprites_control;

constexpr int kSets = static_cast<int>(kGroundSpriteSets);

class TgrspEditForm : public TTagEditForm {
public:
    TgrspEditForm(TagDatabase& db, TagEntry& tag) : TTagEditForm(kResource, "Ground Sprites", db, tag) {
        auto* grid = new QGridLayout(content());
        grid->setContentsMargins(10, 10, 10, 10);
        grid->setSpacing(10);
        for (int s = 0; s < kSets; ++s) grid->addWidget(build_set(s), s / 2, s % 2);
    }

protected:
    void do_reload() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) throw UserError(tag().name + " - The ground sprites cannot be loaded.");
        try {
            sprites_ = parse_ground_sprites(*payload);
        } catch (const FormatError& e) {
            throw UserError(tag().name + " - The ground sprites cannot be read: " + e.what());
        }
        for (int s = 0; s < kSets; ++s) {
            const GroundSpriteSet& set = sprites_.sets[static_cast<std::size_t>(s)];
            set_tag_reference(id(s, kSprite), kSpriteTagType, set.record.sprite);
            set_integer(id(s, kDensity), set.record.density);
            show_mask(s);
        }
    }

    // The undo state: the controls as typed, and the sets' masks as Apply would lay them out.
    QByteArray undo_state() override {
        QByteArray state;
        QDataStream out(&state, QIODevice::WriteOnly);
        out << TTagEditForm::undo_state() << state_of(commit_ground_sprites(sprites_));
        return state;
    }
    void restore_undo_state(const QByteArray& state) override {
        QDataStream in(state);
        QByteArray controls, masks;
        in >> controls >> masks;
        if (in.status() != QDataStream::Ok) return;
        const GroundSprites kept = parse_ground_sprites(bytes_of(masks));
        for (int s = 0; s < kSets; ++s) {
            sprites_.sets[static_cast<std::size_t>(s)] = kept.sets[static_cast<std::size_t>(s)];
            show_mask(s);
        }
        TTagEditForm::restore_undo_state(controls);
    }

    void do_apply() override {
        GroundSprites applied = from_controls();
        for (int s = 0; s < kSets; ++s) {
            const long density = get_integer(id(s, kDensity));
            if (density < std::numeric_limits<std::int16_t>::min() ||
                density > std::numeric_limits<std::int16_t>::max())
                throw UserError("Sprite Set " + std::to_string(s) + " - Density: " + std::to_string(density) +
                                " is not between -32768 and 32767.");
        }
        database().set_tag_data(tag(), commit_ground_sprites(applied));
        sprites_ = std::move(applied);
    }

    // Both sides as a commit lays them out: masks kept where a stored layout put them
    // differently are no change of the user's.
    bool differs_from_tag() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) return true;
        try {
            return commit_ground_sprites(from_controls()) != commit_ground_sprites(parse_ground_sprites(*payload));
        } catch (const FormatError&) {
            return true;
        }
    }

private:
    QGroupBox* build_set(int s) {
        auto* group = new QGroupBox(QStringLiteral("Sprite Set %1").arg(s), content());
        auto* form = new QFormLayout(group);
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QWidget* sprite = make_reference_field(id(s, kSprite), id(s, kOpenSprite), kSpriteTagType, group);
        sprite->setMinimumWidth(180);
        auto* button = control<TagReferenceButton>(id(s, kSprite));
        // A set without a sprite says so as the form does.
        connect(button, &TagReferenceButton::relabelled, this, [button] {
            if (is_null_reference(button->stored_id())) button->setText(QStringLiteral("No Tag"));
        });
        button->setText(QStringLiteral("No Tag"));
        form->addRow(QStringLiteral("Sprite Definition:"), sprite);

        auto* name = new QLabel(QStringLiteral("(none)"), group);
        name->setMinimumWidth(140);
        name->setTextInteractionFlags(Qt::TextSelectableByMouse);
        register_control(id(s, kMaskName), name);
        form->addRow(QStringLiteral("Mask:"), name);
        auto* buttons = new QHBoxLayout;
        for (auto [k, text] : {std::pair{kGetMask, "Get Mask..."}, std::pair{kClearMask, "Clear Mask"}}) {
            auto* push = new QPushButton(QString::fromLatin1(text), group);
            push->setAutoDefault(false);
            register_control(id(s, k), push);
            buttons->addWidget(push);
            connect(push, &QPushButton::clicked, this, [this, s, k = k] {
                run_reporting_errors(this, [&] { k == kGetMask ? get_mask(s) : clear_mask(s); });
            });
        }
        buttons->addStretch(1);
        form->addRow(QString(), buttons);

        auto* density = new QLineEdit(group);
        density->setFixedWidth(72);
        density->setAlignment(Qt::AlignRight);
        register_control(id(s, kDensity), density);
        form->addRow(QStringLiteral("Density:"), density);
        return group;
    }

    GroundSprites from_controls() const {
        GroundSprites out = sprites_;
        for (int s = 0; s < kSets; ++s) {
            ground_sprite_set_record& r = out.sets[static_cast<std::size_t>(s)].record;
            r.sprite = get_tag_reference(id(s, kSprite));
            r.density = static_cast<std::int16_t>(get_integer(id(s, kDensity)));
        }
        return out;
    }

    void show_mask(int s) {
        const GroundSpriteSet& set = sprites_.sets[static_cast<std::size_t>(s)];
        control<QLabel>(id(s, kMaskName))
            ->setText(set.has_mask() ? QString::fromLatin1(mask_name(set.record)) : QStringLiteral("(none)"));
        enable_control(id(s, kClearMask), set.has_mask());
    }

    void get_mask(int s) {
        FileDialogRequest request;
        request.kind = FileDialogRequest::kOpen;
        request.filter = QStringLiteral("JPEG|*.jpg|All Files|*.*");
        request.default_extension = QStringLiteral("jpg");
        const std::optional<QString> path = xg_choose_file(this, request);
        if (!path) return;
        std::optional<std::vector<std::uint8_t>> bytes = read_whole_file(path->toStdString());
        const std::string name = latin1(QFileInfo(*path).fileName());
        if (!bytes) throw UserError("The mask " + name + " cannot be read.");
        // A mask of no bytes would be stored as no mask.
        if (bytes->empty()) throw UserError("The mask " + name + " is empty.");
        set_ground_sprite_mask(sprites_.sets[static_cast<std::size_t>(s)], name, std::move(*bytes));
        show_mask(s);
        contents_changed();
    }

    void clear_mask(int s) {
        clear_ground_sprite_mask(sprites_.sets[static_cast<std::size_t>(s)]);
        show_mask(s);
        contents_changed();
    }

    GroundSprites sprites_;
};

} // namespace

void register_ground_sprites_editor() {
    attach_tag_editor(kGroundSpritesTagType,
                      [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TgrspEditForm>(db, tag); });
}

} // namespace zephane
