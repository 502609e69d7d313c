#include "mesh/ui/map_dialogs.h"

#include "framework/xg_dialog.h"
#include "mesh/tools/map_editor_state.h"
#include "render/map_scene.h"
#include "tags/tag_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <map>

namespace zephane {

namespace {

constexpr const char* kProperties[6] = {"Uncontrollable",   "May Be Traded",  "May Use Veterans",
                                        "Must Use Veterans", "Is Ambient Life", "Is Hunted Creature"};
constexpr const char* kNetgameTypes[14] = {
    "Body Count", "Steal the Bacon", "Last Man on the Hill", "Scavenger Hunt", "Flag Rally",
    "Capture the Flag", "Balls On Parade", "Territories", "Captures", "King of the Hill",
    "Stampede", "Assassination", "Huntin'", "Custom"};
constexpr const char* kMarkerFlags[5] = {"Invisible", "Stone", "Detonates Immediately", "Invisible Observer",
                                         "Netgame Target"};

QString tag_label(TagDatabase& db, tag_type type, tag_id id) {
    if (id == kNoTag || id == 0) return QStringLiteral("None");
    const TagEntry* tag = type ? db.find_tag(type, id) : nullptr;
    return tag ? QString::fromStdString(tag->name) : QStringLiteral("(tag missing)");
}

QDoubleSpinBox* number(QWidget* parent, double low, double high, int decimals) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(decimals);
    return box;
}

double degrees(std::uint16_t angle) { return angle * 360.0 / 65536; }
std::uint16_t angle(double degrees_value) {
    const double turns = std::fmod(degrees_value / 360.0, 1.0);
    return static_cast<std::uint16_t>(static_cast<long>(std::lround((turns < 0 ? turns + 1 : turns) * 65536)) & 0xFFFF);
}

} // namespace

bool run_edit_palette_dialog(QWidget* parent, TagDatabase& db, marker_palette_entry& entry,
                             const PaletteTagPicker& pick) {
    using namespace palette_dialog_control;
    XGDialog dialog(kResource, QStringLiteral("Edit Marker Palette"), parent);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    const tag_type type = palette_kind_tag_type(entry.kind);
    tag_id chosen = entry.tag;
    auto* tag_button = new QPushButton(tag_label(db, type, chosen), &dialog);
    tag_button->setAutoDefault(false);
    tag_button->setEnabled(type != 0);
    dialog.register_control(kTag, tag_button);
    QObject::connect(tag_button, &QPushButton::clicked, &dialog, [&] {
        const tag_id picked = pick ? pick(type, chosen) : 0;
        if (picked == 0) return;
        chosen = picked;
        tag_button->setText(tag_label(db, type, chosen));
    });
    form->addRow(QStringLiteral("Tag:"), tag_button);
    auto* team = new QSpinBox(&dialog);
    team->setRange(-1, 15);
    team->setValue(entry.team);
    dialog.register_control(kTeam, team);
    form->addRow(QStringLiteral("Team:"), team);
    layout->addLayout(form);
    auto* boxes = new QHBoxLayout;
    auto* properties = new QGroupBox(QStringLiteral("Properties"), &dialog);
    auto* pcol = new QVBoxLayout(properties);
    for (int bit = 0; bit < 6; ++bit) {
        auto* check = new QCheckBox(QString::fromLatin1(kProperties[bit]), properties);
        check->setChecked(entry.properties & (1u << bit));
        dialog.register_control(kFirstProperty + bit, check);
        pcol->addWidget(check);
    }
    pcol->addStretch(1);
    boxes->addWidget(properties);
    auto* netgame = new QGroupBox(QStringLiteral("Netgame Types"), &dialog);
    auto* ngrid = new QGridLayout(netgame);
    for (int bit = 0; bit < 14; ++bit) {
        auto* check = new QCheckBox(QString::fromLatin1(kNetgameTypes[bit]), netgame);
        check->setChecked(entry.netgame_types & (1u << bit));
        dialog.register_control(kFirstNetgameType + bit, check);
        ngrid->addWidget(check, bit % 7, bit / 7);
    }
    boxes->addWidget(netgame);
    layout->addLayout(boxes);
    auto* end = new QHBoxLayout;
    end->addStretch(1);
    dialog.add_end_buttons(*end, kCancel, QStringLiteral("Cancel"), kOk, QStringLiteral("OK"));
    layout->addLayout(end);
    if (dialog.run() != kOk) return false;
    entry.tag = chosen;
    entry.team = static_cast<std::int16_t>(team->value());
    std::uint16_t props = static_cast<std::uint16_t>(entry.properties & ~0x3Fu);
    for (int bit = 0; bit < 6; ++bit)
        if (dialog.control<QCheckBox>(kFirstProperty + bit)->isChecked()) props = static_cast<std::uint16_t>(props | (1u << bit));
    entry.properties = props;
    std::uint32_t types = entry.netgame_types & ~0x3FFFu;
    for (int bit = 0; bit < 14; ++bit)
        if (dialog.control<QCheckBox>(kFirstNetgameType + bit)->isChecked()) types |= 1u << bit;
    entry.netgame_types = types;
    return true;
}

bool run_edit_marker_dialog(QWidget* parent, const Mesh& mesh, mesh_marker& marker) {
    using namespace marker_dialog_control;
    XGDialog dialog(kResource, QStringLiteral("Edit Marker"), parent);
    dialog.setMinimumWidth(320);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    const Vec3 p = marker_position(marker);
    const double ground = mesh.columns > 0 ? surface_height(mesh, kPhysicsGrid, p[0], p[1]) : 0.0;
    const struct {
        int id;
        const char* label;
        double value, low, high;
        int decimals;
    } fields[] = {{kX, "X:", p[0], -4e6, 4e6, 3},
                  {kY, "Y:", p[1], -4e6, 4e6, 3},
                  {kZ, "Z:", p[2], -4e6, 4e6, 3},
                  {kElevation, "Elevation:", p[2] - ground, -4e6, 4e6, 3},
                  {kYaw, "Yaw:", degrees(marker.yaw), 0, 360, 1},
                  {kPitch, "Pitch:", degrees(marker.pitch), 0, 360, 1},
                  {kRoll, "Roll:", degrees(marker.roll), 0, 360, 1}};
    std::map<int, double> shown; // what each field showed: a field left alone keeps its exact value
    for (const auto& f : fields) {
        auto* box = number(&dialog, f.low, f.high, f.decimals);
        box->setValue(f.value);
        shown[f.id] = box->value();
        dialog.register_control(f.id, box);
        form->addRow(QString::fromLatin1(f.label), box);
    }
    layout->addLayout(form);
    auto* locks = new QHBoxLayout;
    auto* lock_elevation = new QCheckBox(QStringLiteral("Lock Elevation"), &dialog);
    auto* lock_z = new QCheckBox(QStringLiteral("Lock Z"), &dialog);
    lock_elevation->setChecked(true);
    dialog.register_control(kLockElevation, lock_elevation);
    dialog.register_control(kLockZ, lock_z);
    QObject::connect(lock_elevation, &QCheckBox::toggled, lock_z, [lock_z](bool on) { if (on) lock_z->setChecked(false); });
    QObject::connect(lock_z, &QCheckBox::toggled, lock_elevation, [lock_elevation](bool on) { if (on) lock_elevation->setChecked(false); });
    locks->addWidget(lock_elevation);
    locks->addWidget(lock_z);
    locks->addStretch(1);
    layout->addLayout(locks);
    auto* flags = new QGroupBox(QStringLiteral("Flags"), &dialog);
    auto* fcol = new QVBoxLayout(flags);
    for (int k = 0; k < 5; ++k) {
        auto* check = new QCheckBox(QString::fromLatin1(kMarkerFlags[k]), flags);
        check->setChecked(marker.flags & (1u << (k + 1)));
        dialog.register_control(kFirstFlag + k, check);
        fcol->addWidget(check);
    }
    layout->addWidget(flags);
    auto* difficulty_row = new QFormLayout;
    auto* difficulty = new QComboBox(&dialog);
    difficulty->addItems({QStringLiteral("Weak"), QStringLiteral("Mighty"), QStringLiteral("Legendary")});
    difficulty->setCurrentIndex(std::min(2, static_cast<int>((marker.flags & kMarkerDifficultyMask) >> kMarkerDifficultyShift)));
    dialog.register_control(kDifficulty, difficulty);
    difficulty_row->addRow(QStringLiteral("Minimum Difficulty"), difficulty);
    layout->addLayout(difficulty_row);
    auto* end = new QHBoxLayout;
    end->addStretch(1);
    dialog.add_end_buttons(*end, kCancel, QStringLiteral("Cancel"), kOk, QStringLiteral("OK"));
    layout->addLayout(end);
    if (dialog.run() != kOk) return false;
    const auto value = [&](int id) { return dialog.control<QDoubleSpinBox>(id)->value(); };
    const auto changed = [&](int id) { return value(id) != shown[id]; };
    const auto units = [](double v) { return static_cast<std::int32_t>(std::lround(v * 512)); };
    if (changed(kX)) marker.position[0] = units(value(kX));
    if (changed(kY)) marker.position[1] = units(value(kY));
    const Vec3 at = marker_position(marker);
    // Lock Elevation: the marker keeps its height above the ground at its new place.
    if (lock_elevation->isChecked() && mesh.columns > 0) {
        if (changed(kX) || changed(kY) || changed(kElevation)) {
            const double elevation = changed(kElevation) ? value(kElevation) : p[2] - ground;
            marker.position[2] = units(surface_height(mesh, kPhysicsGrid, at[0], at[1]) + elevation);
        }
    } else if (changed(kZ)) {
        marker.position[2] = units(value(kZ));
    }
    if (changed(kYaw)) marker.yaw = angle(value(kYaw));
    if (changed(kPitch)) marker.pitch = angle(value(kPitch));
    if (changed(kRoll)) marker.roll = angle(value(kRoll));
    std::uint32_t f = marker.flags & ~(0x3Eu | kMarkerDifficultyMask);
    for (int k = 0; k < 5; ++k)
        if (dialog.control<QCheckBox>(kFirstFlag + k)->isChecked()) f |= 1u << (k + 1);
    f |= static_cast<std::uint32_t>(difficulty->currentIndex()) << kMarkerDifficultyShift;
    marker.flags = f;
    return true;
}

} // namespace zephane
