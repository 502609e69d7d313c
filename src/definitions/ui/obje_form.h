#pragma once
// The object editor (form 1016, "Object Window") and its "Effect Modifiers" dialog (form 154).

#include <cstdint>

class QWidget;

namespace zephane {

inline constexpr int kEffectModifiersResource = 154;
inline constexpr int kEffectModifiersOk = 1001;
inline constexpr int kEffectModifiersCancel = 1002;
inline constexpr int kEditedEffectModifiers = 9;

// Edits the first nine effect modifiers (fixed 8.8) on a copy; they change only on "OK".
bool edit_effect_modifiers(QWidget* parent, std::int16_t (&modifiers)[16]);

void register_object_editor();

} // namespace zephane
