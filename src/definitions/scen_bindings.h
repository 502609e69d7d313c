#pragma once
// The scenery editor's binding table, and the group titles its form shares. The two
// animation popups list their model's states and are the form's own.

#include "definitions/field_binding.h"

namespace zephane::scen_bindings {

inline constexpr const char* kGroups = "Projectile Groups";
inline constexpr const char* kNetgame = "Netgame";
inline constexpr const char* kUndamaged = "Undamaged";
inline constexpr const char* kRuined = "Ruined";
inline constexpr const char* kFlags = "Flags";

inline constexpr int kUseModel = 12000;
inline constexpr int kUndamagedModel = 12001;
inline constexpr int kRuinedModel = 12003;
inline constexpr int kUndamagedAnimation = 12112;
inline constexpr int kRuinedAnimation = 12114;

inline constexpr FieldBinding kBindings[] = {
    bind::reference("object", 12105, "Object Tag:"),
    bind::reference("projectile", 12103, "Projectile:"),
    bind::reference("recoloring", 12101, "Recoloring:"),
    bind::number("model_permutation_delta", 12107, "Model Permutation Delta"),
    bind::reference("impact_group", 12108, "Impact:", kGroups),
    bind::reference("detonation_group", 12110, "Detonation:", kGroups),
    bind::popup("netgame_scoring_type", 12117, "Scoring Type:", kNetgame),
    bind::number("netgame_flag_number", 12118, "Flag Number:", kNetgame),
    bind::reference("undamaged_model", kUndamagedModel, "Undamaged:", kUndamaged),
    bind::reference("ruined_model", kRuinedModel, "Ruined:", kRuined),
    bind::flag("flags", 0, 12119, kFlags),  bind::flag("flags", 1, 12120, kFlags),
    bind::flag("flags", 2, 12121, kFlags),  bind::flag("flags", 3, 12116, kFlags),
    bind::flag("flags", 4, 12122, kFlags),  bind::flag("flags", 5, 12123, kFlags),
    bind::flag("flags", 6, 12124, kFlags),  bind::flag("flags", 7, 12125, kFlags),
    bind::flag("flags", 8, 12126, kFlags),  bind::flag("flags", 9, 12127, kFlags),
    bind::flag("flags", 10, kUseModel, kFlags), bind::flag("flags", 11, 12008, kFlags),
    bind::flag("flags", 12, 12009, kFlags), bind::flag("flags", 13, 12128, kFlags),
    bind::flag("flags", 14, 12129, kFlags), bind::flag("flags", 15, 12130, kFlags),
};

} // namespace zephane::scen_bindings
