#pragma once
// The map editor's dialogs: "Edit Marker Palette" (form 163) on a palette entry and
// "Edit Marker" (form 164) on a marker. Both edit a copy stored back only on OK.
//
// The marker's flag word as the Edit Marker dialog shows it: bit 0 is left as it is (the
// palette counts it), bit 1 "Invisible", 2 "Stone", 3 "Detonates Immediately", 4 "Invisible
// Observer", 5 "Netgame Target", bits 6-7 the minimum difficulty (0 "Weak", 1 "Mighty",
// 2 "Legendary"); the other bits are carried unchanged.

#include "mesh/mesh.h"
#include "tags/tag_code.h"

#include <functional>

class QWidget;

namespace zephane {

class TagDatabase;

namespace palette_dialog_control {
inline constexpr int kResource = 163;
inline constexpr int kTag = 101;
inline constexpr int kTeam = 102;
inline constexpr int kFirstProperty = 110; // 110..115, bit n at 110 + n
inline constexpr int kFirstNetgameType = 120; // 120..133
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
} // namespace palette_dialog_control

namespace marker_dialog_control {
inline constexpr int kResource = 164;
inline constexpr int kX = 101, kY = 102, kZ = 103, kElevation = 104;
inline constexpr int kYaw = 105, kPitch = 106, kRoll = 107;
inline constexpr int kLockElevation = 108, kLockZ = 109;
inline constexpr int kFirstFlag = 110; // the five check boxes, bits 1..5
inline constexpr int kDifficulty = 120;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
} // namespace marker_dialog_control

inline constexpr std::uint32_t kMarkerDifficultyShift = 6;
inline constexpr std::uint32_t kMarkerDifficultyMask = 3u << kMarkerDifficultyShift;

// Picks a tag of the type (current shown selected): the id, kNoTag for none, 0 when cancelled.
using PaletteTagPicker = std::function<tag_id(tag_type type, tag_id current)>;

bool run_edit_palette_dialog(QWidget* parent, TagDatabase& db, marker_palette_entry& entry,
                             const PaletteTagPicker& pick);
bool run_edit_marker_dialog(QWidget* parent, const Mesh& mesh, mesh_marker& marker);

} // namespace zephane
