#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "base/byte_swap.h"
#include "base/errors.h"
#include "tags/tag_file_format.h"

#include "support/test_support.h"

namespace zephane {
namespace {

using test::counting_bytes;

TEST(ByteSwapWalk, MeasuresTheFileHeaderDescriptors) {
    const BsWalkResult entry = bs_walk("entry points", nullptr, kEntryPointCodes);
    EXPECT_EQ(entry.size, 112u);
    EXPECT_EQ(entry.codes, 9u);
    EXPECT_EQ(bs_walk("tag header", nullptr, kFileHeaderCodes).size, 128u);
}

TEST(ByteSwapWalk, RepeatedBodyIsLaidOutBackToBack) {
    const bs_code codes[] = {BS_GROUP_BEGIN, 4, BS_SWAP16, BS_SWAP16, BS_SWAP16, 2, BS_GROUP_END};
    auto bytes = counting_bytes(40);
    const BsWalkResult result = bs_walk("test", bytes.data(), codes);
    EXPECT_EQ(result.size, 32u);
    EXPECT_EQ(result.codes, 7u);
    for (std::size_t rep = 0; rep < 4; ++rep) {
        const std::size_t b = rep * 8;
        for (std::size_t pair = 0; pair < 3; ++pair) {
            EXPECT_EQ(bytes[b + 2 * pair], b + 2 * pair + 1);
            EXPECT_EQ(bytes[b + 2 * pair + 1], b + 2 * pair);
        }
        EXPECT_EQ(bytes[b + 6], b + 6);
        EXPECT_EQ(bytes[b + 7], b + 7);
    }
    for (std::size_t k = 32; k < 40; ++k) EXPECT_EQ(bytes[k], k) << "byte past the structure changed";
}

TEST(ByteSwapWalk, NestedGroupsInsideALargerStructure) {
    // 32 bytes, then 5 × 8 × four 2-byte fields (320 bytes), then a 4-byte field and 28 bytes.
    const bs_code codes[] = {BS_GROUP_BEGIN, 1, 32,
                             BS_GROUP_BEGIN, 5, BS_GROUP_BEGIN, 8, BS_SWAP16, BS_SWAP16, BS_SWAP16,
                             BS_SWAP16, BS_GROUP_END, BS_GROUP_END,
                             BS_SWAP32, 28, BS_GROUP_END};
    EXPECT_EQ(bs_size(codes), 384u);
    auto bytes = counting_bytes(384);
    bs_walk("nested", bytes.data(), codes);
    EXPECT_EQ(bytes[31], 31);
    EXPECT_EQ(bytes[32], 33);
    EXPECT_EQ(bytes[351], 350 % 256);
    EXPECT_EQ(bytes[352], 355 % 256);
    EXPECT_EQ(bytes[355], 352 % 256);
    EXPECT_EQ(bytes[356], 356 % 256);
}

TEST(ByteSwapWalk, TopLevelRepeatAndEmptyOutermostGroup) {
    const bs_code four[] = {BS_GROUP_BEGIN, 4, BS_SWAP32, 96, BS_GROUP_END};
    EXPECT_EQ(bs_size(four), 400u);
    const bs_code none[] = {BS_GROUP_BEGIN, 0, BS_SWAP32, BS_GROUP_BEGIN, 2, BS_SWAP16, BS_GROUP_END, BS_GROUP_END};
    auto bytes = counting_bytes(16);
    const BsWalkResult result = bs_walk("empty", bytes.data(), none);
    EXPECT_EQ(result.size, 0u);
    EXPECT_EQ(result.codes, 8u);
    EXPECT_EQ(bytes, counting_bytes(16));
}

TEST(ByteSwapData, ConvertingTwiceRestoresTheBytes) {
    auto bytes = counting_bytes(112 * 3);
    const auto original = bytes;
    byte_swap_data("entry points", bytes.data(), 112, 3, kEntryPointCodes);
    EXPECT_NE(bytes, original);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[112], 115); // the second structure starts at 112
    byte_swap_data("entry points", bytes.data(), 112, 3, kEntryPointCodes);
    EXPECT_EQ(bytes, original);
}

TEST(ByteSwapData, SizeMismatchRaisesInternalErrorAndConvertsNothing) {
    auto bytes = counting_bytes(128);
    try {
        byte_swap_data("entry points", bytes.data(), 100, 1, kEntryPointCodes);
        FAIL() << "no error raised";
    } catch (const InternalError& error) {
        EXPECT_EQ(error.expression(), "size_in_bytes==data_size");
        EXPECT_EQ(error.module(), "byte_swapping");
        EXPECT_GT(error.line(), 0);
        EXPECT_EQ(error.code(), 0x800001u);
    }
    EXPECT_EQ(bytes, counting_bytes(128));
}

TEST(ByteSwapData, CountZeroOrNoDataOnlyChecks) {
    auto bytes = counting_bytes(112);
    byte_swap_data("entry points", bytes.data(), 112, 0, kEntryPointCodes);
    byte_swap_data("entry points", nullptr, 112, 5, kEntryPointCodes);
    EXPECT_EQ(bytes, counting_bytes(112));
    EXPECT_THROW(byte_swap_data("entry points", nullptr, 111, 0, kEntryPointCodes), InternalError);
}

TEST(ByteSwapCopy, LeavesTheSourceAndHandlesOverlap) {
    const auto source = counting_bytes(112);
    std::vector<std::uint8_t> destination(112);
    byte_swap_copy("entry points", destination.data(), source.data(), 112, 1, kEntryPointCodes);
    EXPECT_EQ(source, counting_bytes(112));
    EXPECT_EQ(destination[0], 3);
    EXPECT_EQ(destination[8], 8); // unswapped reserved bytes

    auto overlapping = counting_bytes(120);
    byte_swap_copy("entry points", overlapping.data() + 4, overlapping.data(), 112, 1, kEntryPointCodes);
    EXPECT_EQ(overlapping[4], 3);
    EXPECT_EQ(overlapping[7], 0);
}

TEST(ByteSwapRun, ShortAndLongRuns) {
    auto small = counting_bytes(8);
    byte_swap_run("run", small.data(), 2, BS_SWAP32);
    EXPECT_EQ(small, (std::vector<std::uint8_t>{3, 2, 1, 0, 7, 6, 5, 4}));

    std::vector<std::uint8_t> large(80000);
    for (std::size_t k = 0; k < large.size(); ++k) large[k] = static_cast<std::uint8_t>(k * 7);
    auto swapped = large;
    byte_swap_run("run", swapped.data(), 40000, BS_SWAP16);
    for (std::size_t k = 0; k < large.size(); k += 2) {
        ASSERT_EQ(swapped[k], large[k + 1]);
        ASSERT_EQ(swapped[k + 1], large[k]);
    }
    auto untouched = large;
    byte_swap_run("run", untouched.data(), 40000, 2);
    EXPECT_EQ(untouched, large);
    EXPECT_THROW(byte_swap_run("run", untouched.data(), 40000, -3), InternalError);
}

} // namespace
} // namespace zephane
