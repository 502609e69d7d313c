// Spreading tiles over the cores.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "textures/parallel_tiles.h"

namespace zephane {
namespace {

TEST(ParallelTiles, EveryIndexOnceAndFailuresReachTheCaller) {
    std::vector<std::atomic<int>> seen(1000);
    for_each_tile(seen.size(), [&](std::size_t i) { ++seen[i]; });
    for (const auto& count : seen) EXPECT_EQ(count, 1);
    for_each_tile(0, [](std::size_t) { FAIL(); });

    std::atomic<int> ran{0};
    EXPECT_THROW(for_each_tile(100,
                               [&](std::size_t i) {
                                   ++ran;
                                   if (i == 3) throw std::runtime_error("tile 3");
                               }),
                 std::runtime_error);
    EXPECT_GE(ran, 4);
}

} // namespace
} // namespace zephane
