#pragma once
// Runs independent pieces of one job (the tiles of an import or a collapse) on the machine's
// cores. Each index is handled exactly once; the caller sees the results only after every
// piece is done, so the outcome does not depend on the number of threads.

#include <cstddef>
#include <functional>

namespace zephane {

// Calls work(i) for every i below count. An exception thrown by any call is rethrown here
// once all threads have stopped (the first one thrown wins).
void for_each_tile(std::size_t count, const std::function<void(std::size_t)>& work);

} // namespace zephane
