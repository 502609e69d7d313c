#pragma once
// The 'skmd' row's operations: a new empty model set and the dependency listing.

namespace zephane {

void register_skeletal_model_type();

} // namespace zephane
