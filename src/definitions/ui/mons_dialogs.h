#pragma once
// The monster editor's dialogs that are no binding table: "Monster Animation States" (142),
// the terrain movement dialog (151) and the sound slots dialog (152). Each edits the record
// copy it is given and changes it only on "OK".

class QWidget;

namespace zephane {

class TTagEditForm;
struct monster_definition;

// Dialog 142: which sequence each animation state plays. Runs only when the graphic names a
// loaded tag; false when it did not run or was cancelled.
bool edit_monster_sequences(TTagEditForm& editor, monster_definition& monster);
// Dialog 151: the base speed, and per terrain kind its passability and speed multiplier.
bool edit_monster_terrain(TTagEditForm& editor, monster_definition& monster);
// Dialog 152: ten sound slots, each a sound type and a sound.
bool edit_monster_sounds(TTagEditForm& editor, monster_definition& monster);

} // namespace zephane
