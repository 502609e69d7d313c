#pragma once
// The artifact editor (form 1001, "Artifact Window").

namespace zephane {

void register_artifact_editor();

} // namespace zephane
