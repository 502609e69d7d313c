#pragma once
// The connector editor (form 1003, "Connectors Window").

namespace zephane {

void register_connector_editor();

} // namespace zephane
