#include "dialogs/dialog_type.h"

#include "dialogs/dialog_payload.h"
#include "tags/tag_types.h"

namespace zephane {

void register_dialog_type() { attach_tag_rewrite(kDialogTagType, rewrite_dialog_payload); }

} // namespace zephane
