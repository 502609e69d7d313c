#pragma once
// "Edit Damage": dialog 153 "Projectile Damage" on a damage record, shared by the editors of
// every definition holding one.

#include "definitions/damage.h"

class QWidget;

namespace zephane {

// Edits a copy of the record; true, with the record changed, when the dialog ends with "OK".
bool edit_damage(QWidget* parent, damage_definition& damage);

} // namespace zephane
