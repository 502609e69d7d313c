#pragma once
// The Create New Tag dialog (form 130): a name (edit 1), a type (list 2) among the types that
// can fill a new tag, and how the identifier is made (radio buttons 3 to 6, edit 7).

#include "tags/tag_database.h"

#include <optional>
#include <string>

class QWidget;

namespace zephane {

inline constexpr int kCreateTagResource = 130;

struct NewTagChoice {
    std::string name;
    tag_type type = 0;
    tag_id id = 0;
};

// Shows the dialog for a new tag in `file`; `last_type` is preselected and, on OK, becomes
// the chosen type. Nothing when cancelled.
std::optional<NewTagChoice> run_create_tag_dialog(QWidget* parent, const TagDatabase& db,
                                                  const TagFile& file, tag_type& last_type);

} // namespace zephane
