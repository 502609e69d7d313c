#include "definitions/ui/mons_dialogs.h"

#include "app/dialog_tag_button.h"
#include "app/editor_page.h"
#include "app/tag_edit_form.h"
#include "definitions/mons.h"
#include "definitions/value_format.h"
#include "framework/xg_dialog.h"
#include "skeletal/animation_state_names.h"
#include "tags/tag_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <array>

namespace zephane {

namespace {

using M = monster_definition;

constexpr tag_type kSkmd = fourcc("skmd");

constexpr const char* kSkeletalStates[] = {
    "Idle", "Alert", "Gesture", "Move", "Run", "Turn Left", "Turn Right", "Pause for Obstacle",
    "Hold for Attack", "Block Attack", "Hit Light from Front", "Hit Light from Back", "Hit Hard from Front",
    "Hit Hard from Back", "Die Soft from Front", "Die Soft from Back", "Die Hard from Front",
    "Die Hard from Back", "Explosion Death", "Pick Up Object", "Set Down Object", "Taunt", "Celebrate",
    "Receive Healing", "Enter Map", "Exit Map", "Auxiliary 1", "Auxiliary 2"};
constexpr const char* kCollectionStates[] = {
    "Idle", "Moving", "Placeholder", "Pausing for Obstacle", "Turning", "Blocking", "Taking Damage",
    "PIcking up Object", "HEad Shot", "Celebration", "Transition to Secondary Idle", "Secondary Idle",
    "Transition to Primary Idle", "Running", "Ammo Icon", "Hold for Attack", "Taunt", "Glide"};
constexpr int kCollectionSequences = 20;

constexpr const char* kTerrainKinds[] = {"Dwarf-Depth:", "Human-Depth", "Giant-Depth:", "Undead Depth:",
                                         "Sloped:",      "Steep:",      "Grass:",       "Sand:",
                                         "Rock:",        "Marsh:",      "Snow:",        "Unused:",
                                         "Unused:",      "Unused:",     "Ground Impassable", "Air Impassable"};

bool is_skeletal(const M& monster) { return (monster.flags >> kMonsterSkeletalBit) & 1u; }

QListWidget* list_in(XGDialog& dialog, int id, QLayout& layout) {
    auto* list = new QListWidget(&dialog);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(220, 320);
    dialog.register_control(id, list);
    layout.addWidget(list);
    return list;
}

} // namespace

bool edit_monster_sequences(TTagEditForm& editor, M& monster) {
    TagDatabase& db = editor.database();
    const bool skeletal = is_skeletal(monster);
    if (!db.find_tag(skeletal ? kSkmd : fourcc(".256"), monster.graphic)) return false;
    std::vector<QString> states, sequences;
    if (skeletal) {
        for (const char* name : kSkeletalStates) states.push_back(QString::fromLatin1(name));
        const ModelStateNames names = skeletal_model_state_names(db, monster.graphic);
        if (names.problem) sequences.push_back(QString::fromLatin1(names.problem));
        for (const std::string& name : names.names) sequences.push_back(QString::fromStdString(name));
    } else {
        for (const char* name : kCollectionStates) states.push_back(QString::fromLatin1(name));
        for (int k = 0; k < kCollectionSequences; ++k) sequences.push_back(QString::number(k));
    }
    std::array<std::int16_t, 32> chosen{};
    std::copy(std::begin(monster.sequences), std::end(monster.sequences), chosen.begin());

    XGDialog dialog(142, QStringLiteral("Monster Animation States"), &editor);
    dialog.set_cancel_id(102);
    auto* layout = new QVBoxLayout(&dialog);
    auto* lists = new QHBoxLayout;
    QListWidget* state_list = list_in(dialog, 1, *lists);
    QListWidget* sequence_list = list_in(dialog, 2, *lists);
    layout->addLayout(lists);
    for (const QString& state : states) state_list->addItem(state);
    for (const QString& sequence : sequences) sequence_list->addItem(sequence);
    bool showing = false;
    // A state shows its sequence; choosing a sequence gives it to the state.
    QObject::connect(state_list, &QListWidget::currentRowChanged, &dialog, [&](int row) {
        showing = true;
        const int sequence = row >= 0 ? chosen[static_cast<std::size_t>(row)] : -1;
        sequence_list->setCurrentRow(sequence >= 0 && sequence < sequence_list->count() ? sequence : -1);
        showing = false;
    });
    QObject::connect(sequence_list, &QListWidget::currentRowChanged, &dialog, [&](int row) {
        const int state = state_list->currentRow();
        if (showing || state < 0 || row < 0) return;
        chosen[static_cast<std::size_t>(state)] = static_cast<std::int16_t>(row);
    });
    state_list->setCurrentRow(0);
    dialog.add_end_buttons(*layout, 102, QStringLiteral("Cancel"), 101, QStringLiteral("OK"));
    if (dialog.run() != 101) return false;
    std::copy(chosen.begin(), chosen.end(), std::begin(monster.sequences));
    return true;
}

bool edit_monster_terrain(TTagEditForm& editor, M& monster) {
    XGDialog dialog(151, QStringLiteral("Terrain Movement"), &editor);
    dialog.set_cancel_id(1002);
    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    const NumericFormat speed_format{Encoding::world_distance_16, 2, true, 4};
    const NumericFormat multiplier_format{Encoding::unit_fraction_8, 1, false, 4};
    auto* base = new QLineEdit(QString::fromStdString(format_stored(speed_format, monster.base_movement_speed)), &dialog);
    base->setAlignment(Qt::AlignRight);
    base->setFixedWidth(EditorPage::edit_width(*base, 10));
    dialog.register_control(100, base);
    grid->addWidget(new QLabel(QStringLiteral("Base Speed:"), &dialog), 0, 0, Qt::AlignRight);
    grid->addWidget(base, 0, 1);
    std::array<QCheckBox*, 16> boxes{};
    std::array<QLineEdit*, 16> edits{};
    for (int i = 0; i < 16; ++i) {
        const auto k = static_cast<std::size_t>(i);
        boxes[k] = new QCheckBox(QString::fromLatin1(kTerrainKinds[i]), &dialog);
        edits[k] = new QLineEdit(QString::fromStdString(format_stored(multiplier_format, monster.terrain_speed[k])),
                                 &dialog);
        edits[k]->setAlignment(Qt::AlignRight);
        edits[k]->setFixedWidth(EditorPage::edit_width(*edits[k], 8));
        dialog.register_control(101 + i, boxes[k]);
        dialog.register_control(201 + i, edits[k]);
        const bool passable = monster.terrain_passability[k] == 0;
        boxes[k]->setChecked(passable);
        // The multiplier is hidden while its kind is impassable; kept in place in the layout.
        QSizePolicy keep = edits[k]->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        edits[k]->setSizePolicy(keep);
        edits[k]->setVisible(passable);
        QObject::connect(boxes[k], &QCheckBox::toggled, edits[k], &QLineEdit::setVisible);
        grid->addWidget(boxes[k], 1 + i % 8, (i / 8) * 2);
        grid->addWidget(edits[k], 1 + i % 8, (i / 8) * 2 + 1);
    }
    layout->addLayout(grid);
    dialog.add_end_buttons(*layout, 1002, QStringLiteral("Cancel"), 1001, QStringLiteral("OK"));
    if (dialog.run() != 1001) return false;
    monster.base_movement_speed = static_cast<std::int16_t>(parse_stored(speed_format, base->text().toStdString()));
    for (std::size_t k = 0; k < 16; ++k) {
        const bool passable = boxes[k]->isChecked();
        monster.terrain_passability[k] = passable ? std::int8_t{0} : std::int8_t{-1};
        monster.terrain_speed[k] =
            passable ? static_cast<std::uint8_t>(parse_stored(multiplier_format, edits[k]->text().toStdString())) : 0;
    }
    return true;
}

bool edit_monster_sounds(TTagEditForm& editor, M& monster) {
    const FieldDef& types = *find_field(M::kLayout, "sound_types")->field;
    std::array<tag_id, 10> sounds{};
    std::copy(std::begin(monster.sounds), std::end(monster.sounds), sounds.begin());
    XGDialog dialog(152, QStringLiteral("Monster Sounds"), &editor);
    dialog.set_cancel_id(1002);
    auto* layout = new QVBoxLayout(&dialog);
    auto* rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    std::array<QComboBox*, 10> popups{};
    for (int j = 0; j < 10; ++j) {
        const auto k = static_cast<std::size_t>(j);
        auto* row = new QWidget(&dialog);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        popups[k] = new QComboBox(row);
        for (const char* name : types.names) popups[k]->addItem(QString::fromLatin1(name));
        popups[k]->setCurrentIndex(monster.sound_types[k] + 1); // stored as index − 1
        popups[k]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        popups[k]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        dialog.register_control(101 + j, popups[k]);
        line->addWidget(popups[k]);
        QWidget* sound = make_dialog_tag_row(dialog, editor, 201 + j, 301 + j, fourcc("soun"), sounds[k],
                                             TagDatabase::get_tag_file(editor.tag()));
        sound->setMinimumWidth(240);
        line->addWidget(sound, 1);
        rows->addRow(QStringLiteral("Slot %1:").arg(j + 1), row);
    }
    layout->addLayout(rows);
    dialog.add_end_buttons(*layout, 1002, QStringLiteral("Cancel"), 1001, QStringLiteral("OK"));
    if (dialog.run() != 1001) return false;
    for (std::size_t k = 0; k < 10; ++k) {
        // A type the popup could not show keeps its stored value.
        if (popups[k]->currentIndex() >= 0)
            monster.sound_types[k] = static_cast<std::int8_t>(popups[k]->currentIndex() - 1);
        monster.sounds[k] = sounds[k];
    }
    return true;
}

} // namespace zephane
