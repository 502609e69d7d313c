#pragma once
// The per-model dialogs of the model set editor: "Edit Shadows" (each bone's shadow
// cylinder), "Attachments" (the tag each bone carries) and "Wind Physics" (how far each bone
// gives to the wind). Each edits a copy of the bones and writes it back only on OK.

#include "skeletal/skmd_records.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace zephane {

class TagDatabase;

inline constexpr int kShadowDialogResource = 2070;
inline constexpr int kAttachmentDialogResource = 2071;
inline constexpr int kWindDialogResource = 2072;

namespace skmd_dialog_control {
inline constexpr int kOk = 100;
inline constexpr int kCancel = 101;
inline constexpr int kBones = 1; // the bone list of every dialog
// Edit Shadows
inline constexpr int kXAxis = 2;
inline constexpr int kYAxis = 3;
inline constexpr int kZAxis = 4;
inline constexpr int kNoShadow = 5;
inline constexpr int kNear = 6;
inline constexpr int kFar = 7;
inline constexpr int kRadius = 8;
inline constexpr int kBoxX = 9; // "%.2f .. %.2f"
inline constexpr int kBoxY = 10;
inline constexpr int kBoxZ = 11;
// Attachments
inline constexpr int kAttachModel = 2;
inline constexpr int kAttachLight = 3;
inline constexpr int kAttachProjectiles = 4;
inline constexpr int kClearAttachment = 5;
// Wind Physics: the bone's response on each axis (bone offset 164, 1.0 on import).
inline constexpr int kWindX = 2;
inline constexpr int kWindY = 3;
inline constexpr int kWindZ = 4;
} // namespace skmd_dialog_control

// The bone's row in the attachment list: its name, then for a bone with an attached tag
// " -> ", "LIGHT " or "PROJECTILES " by kind, and "%s '%s'" (type, tag name) or
// "(missing tag '%s')".
std::string attachment_row_text(const TagDatabase& db, const skmd_bone& bone);

// Each returns true when the user pressed OK (the bones then hold the dialog's values).
bool run_shadow_dialog(QWidget* parent, std::vector<skmd_bone>& bones);
// `pick` is the tag picker: the chosen id, kNoTag for "None", 0 when cancelled.
using TagPick = std::function<tag_id(tag_type type, tag_id current)>;
bool run_attachment_dialog(QWidget* parent, const TagDatabase& db, const TagPick& pick,
                           std::vector<skmd_bone>& bones);
bool run_wind_dialog(QWidget* parent, std::vector<skmd_bone>& bones);

} // namespace zephane
