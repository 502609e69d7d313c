#pragma once
// The Find Tag dialog: a type (edit 1, "Type:") and an id (edit 2, "ID:"), pre-filled with
// the last search.

#include "tags/tag_code.h"

#include <optional>
#include <utility>

class QWidget;

namespace zephane {

inline constexpr int kFindTagResource = 137;

// The type and id typed, or nothing when cancelled. Fields show the last search, or stay
// empty for a value of 0xFFFFFFFF.
std::optional<std::pair<tag_type, tag_id>> run_find_tag_dialog(QWidget* parent,
                                                               std::pair<tag_type, tag_id> last);

} // namespace zephane
