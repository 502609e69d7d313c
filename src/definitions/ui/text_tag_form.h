#pragma once
// The editors of the text types: string lists (form 1024, "String List Editing Window"),
// templates (1025, "Template Editing Window") and texts (1026, "Text Editing Window"). Each is
// one multi-line edit box (control 12401).

#include <cstddef>

namespace zephane {

// The longest text the editors write, in characters.
inline constexpr std::size_t kTextEditorLimit = 16384;

void register_text_editors();

} // namespace zephane
