#pragma once
// The media type editor (form 1010, "Media Type Window").

namespace zephane {

void register_media_type_editor();

} // namespace zephane
