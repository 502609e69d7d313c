#pragma once
// The 'skmd' row's operations: a new empty model set, the dependency listing, the rewrite.

namespace zephane {

void register_skeletal_model_type();

} // namespace zephane
