// The bounds-checked reader every parser of outside bytes goes through.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"

#include "support/test_support.h"

namespace zephane {
namespace {

using test::counting_bytes;

// The error a read throws, or none when it succeeds.
template <typename Read>
std::optional<FormatError> failure_of(Read read) {
    try {
        read();
    } catch (const FormatError& e) {
        return e;
    }
    return std::nullopt;
}

TEST(ByteReader, ReadsBigAndLittleEndianValues) {
    const std::vector<std::uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFE,
                                             0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    ByteReader r(bytes);
    EXPECT_EQ(r.u32("a"), 0x12345678u);
    EXPECT_EQ(r.u16("b"), 0x9ABCu);
    EXPECT_EQ(r.i16("c"), -2);
    EXPECT_EQ(r.u16le("d"), 0x0201u);
    EXPECT_EQ(r.u32le("e"), 0x06050403u);
    EXPECT_EQ(r.u8("f"), 0x07u);
    EXPECT_TRUE(r.at_end());
    EXPECT_EQ(ByteReader(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE}).i32("g"), -2);
}

TEST(ByteReader, ReadsEndExactlyAtTheLastByteAndNeverPast) {
    const auto bytes = counting_bytes(8);
    ByteReader r(bytes);
    r.skip(4, "start");
    EXPECT_EQ(r.u32("last word"), 0x04050607u) << "a read ending at the last byte succeeds";
    EXPECT_TRUE(r.at_end());
    EXPECT_EQ(r.bytes(0, "nothing").size(), 0u) << "an empty read at the end succeeds";
    // Each read, with the bytes it takes, started one byte too late to fit.
    const std::vector<std::pair<std::size_t, std::function<void(ByteReader&)>>> reads = {
        {1, [](ByteReader& x) { (void)x.u8("v"); }},     {2, [](ByteReader& x) { (void)x.u16("v"); }},
        {4, [](ByteReader& x) { (void)x.u32("v"); }},    {2, [](ByteReader& x) { (void)x.u16le("v"); }},
        {4, [](ByteReader& x) { (void)x.u32le("v"); }},  {3, [](ByteReader& x) { (void)x.bytes(3, "v"); }},
        {3, [](ByteReader& x) { (void)x.copy(3, "v"); }}, {3, [](ByteReader& x) { x.skip(3, "v"); }},
        {3, [](ByteReader& x) { (void)x.sub(3, "v"); }}};
    for (const auto& [width, read] : reads) {
        ByteReader fits(bytes);
        fits.seek(bytes.size() - width, "start");
        EXPECT_FALSE(failure_of([&] { read(fits); })) << width << " bytes ending at the end fit";
        EXPECT_TRUE(fits.at_end());
        ByteReader one_short(bytes);
        const std::size_t start = bytes.size() - width + 1;
        one_short.seek(start, "start");
        const auto error = failure_of([&] { read(one_short); });
        ASSERT_TRUE(error) << "a read one byte past the end is refused (" << width << " bytes)";
        EXPECT_EQ(error->offset(), start);
        EXPECT_EQ(one_short.position(), start) << "a refused read does not move the reader";
    }
}

TEST(ByteReader, SeekAndSkipStayInside) {
    const auto bytes = counting_bytes(10);
    ByteReader r(bytes);
    r.seek(10, "end");
    EXPECT_TRUE(r.at_end()) << "seeking to the size is allowed: nothing is read";
    r.seek(3, "back");
    EXPECT_EQ(r.u8("third"), 3u);
    const auto past = failure_of([&] { r.seek(11, "far field"); });
    ASSERT_TRUE(past);
    EXPECT_EQ(past->field(), "far field");
    EXPECT_EQ(past->offset(), 11u) << "a bad seek names the offset it was asked for";
    EXPECT_EQ(r.position(), 4u);
    EXPECT_TRUE(failure_of([&] { r.seek(SIZE_MAX, "huge"); }));

    r.skip(6, "rest");
    EXPECT_TRUE(r.at_end());
    r.seek(4, "again");
    EXPECT_TRUE(failure_of([&] { r.skip(7, "too far"); }));
    EXPECT_TRUE(failure_of([&] { r.skip(SIZE_MAX, "wraps"); })) << "no wrap-around of the position";
    EXPECT_EQ(r.remaining(), 6u);
}

TEST(ByteReader, RequireElementsChecksTheProductWithoutOverflow) {
    const auto bytes = counting_bytes(64);
    ByteReader r(bytes);
    r.skip(16, "start");
    EXPECT_FALSE(failure_of([&] { r.require_elements(3, 16, "fits"); }));
    EXPECT_FALSE(failure_of([&] { r.require_elements(0, 16, "none"); }));
    EXPECT_FALSE(failure_of([&] { r.require_elements(UINT64_MAX, 0, "empty elements"); }));
    EXPECT_TRUE(failure_of([&] { r.require_elements(4, 16, "one too many"); }));
    // 2^63 × 16 and 2^60 × 16 wrap to 0 in 64 bits; they must still be refused.
    for (const std::uint64_t count : {std::uint64_t{1} << 63, std::uint64_t{1} << 60, UINT64_MAX}) {
        const auto error = failure_of([&] { r.require_elements(count, 16, "records"); });
        ASSERT_TRUE(error) << count;
        EXPECT_EQ(error->field(), "records");
        EXPECT_EQ(error->offset(), 16u);
        EXPECT_NE(std::string(error->what()).find(std::to_string(count)), std::string::npos)
            << error->what();
    }
    EXPECT_EQ(r.position(), 16u) << "checking reads nothing";
}

TEST(ByteReader, SubReadersKeepToTheirRangeAndReportAbsoluteOffsets) {
    const auto bytes = counting_bytes(32);
    ByteReader outer(bytes, 1000); // as if these 32 bytes started at 1000 in a file
    outer.skip(4, "lead");
    ByteReader block = outer.sub(8, "block");
    EXPECT_EQ(outer.position(), 12u) << "the parent moves past the sub-range";
    EXPECT_EQ(block.size(), 8u);
    EXPECT_EQ(block.absolute_position(), 1004u);
    EXPECT_EQ(block.u32("first"), 0x04050607u);

    ByteReader inner = block.sub(2, "inner");
    EXPECT_EQ(inner.absolute_position(), 1008u);
    EXPECT_EQ(inner.u16("pair"), 0x0809u);
    const auto inner_error = failure_of([&] { (void)inner.u8("after inner"); });
    ASSERT_TRUE(inner_error) << "bytes the parent still has are out of the inner's reach";
    EXPECT_EQ(inner_error->offset(), 1010u);

    EXPECT_EQ(block.u16("last pair"), 0x0A0Bu);
    const auto error = failure_of([&] { (void)block.u8("beyond block"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field(), "beyond block");
    EXPECT_EQ(error->offset(), 1012u);
    EXPECT_EQ(std::string(error->what()),
              "beyond block at byte 1012: needs 1 bytes but only 0 remain");
    EXPECT_TRUE(failure_of([&] { block.seek(9, "seek in block"); }));
    EXPECT_EQ(outer.u8("after block"), 12u) << "the parent reads on where the block ended";
    EXPECT_TRUE(failure_of([&] { (void)outer.sub(21, "too long"); }));
}

TEST(ByteReader, MessagesNameTheFieldAndItsAbsoluteOffset) {
    const auto bytes = counting_bytes(6);
    ByteReader r(bytes, 64);
    r.skip(2, "lead");
    const auto short_read = failure_of([&] { (void)r.bytes(5, "sample data"); });
    ASSERT_TRUE(short_read);
    EXPECT_EQ(std::string(short_read->what()),
              "sample data at byte 66: needs 5 bytes but only 4 remain");
    const auto counted = failure_of([&] { r.require_elements(3, 2, "entries"); });
    ASSERT_TRUE(counted);
    EXPECT_EQ(std::string(counted->what()),
              "entries at byte 66: count 3 of 2-byte elements exceeds the 4 bytes that remain");
    const auto seek = failure_of([&] { r.seek(7, "table"); });
    ASSERT_TRUE(seek);
    EXPECT_EQ(std::string(seek->what()), "table at byte 71: lies past the end (6 bytes)");
    const auto own = failure_of([&] { r.fail("version", "is 9; 1 expected"); });
    ASSERT_TRUE(own);
    EXPECT_EQ(std::string(own->what()), "version at byte 66: is 9; 1 expected");
    ByteReader record = r.sub(4, "record");
    (void)record.u32("whole record");
    const auto earlier = failure_of([&] { record.fail_at(1, "count", "is too large"); });
    ASSERT_TRUE(earlier) << "a field read earlier is named at its own offset, not the position";
    EXPECT_EQ(std::string(earlier->what()), "count at byte 67: is too large");
}

struct Sample {
    std::uint32_t word;
    std::uint16_t half;
    std::uint8_t raw[2]; // left in file order
};
static_assert(sizeof(Sample) == 8);
const bs_code kSampleCodes[] = {BS_GROUP_BEGIN, 1, BS_SWAP32, BS_SWAP16, 2, BS_GROUP_END};

TEST(ByteReader, RecordsReadAndStoreThroughTheirDescriptor) {
    const std::vector<std::uint8_t> bytes = {0xAA, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0xBB};
    ByteReader r(bytes);
    r.skip(1, "lead");
    const Sample s = read_record<Sample>(r, "sample", kSampleCodes);
    EXPECT_EQ(s.word, 0x11223344u);
    EXPECT_EQ(s.half, 0x5566u);
    EXPECT_EQ(s.raw[0], 0x77u);
    EXPECT_EQ(s.raw[1], 0x88u);
    EXPECT_EQ(r.position(), 9u);
    EXPECT_TRUE(failure_of([&] { (void)read_record<Sample>(r, "cut sample", kSampleCodes); }));

    std::vector<std::uint8_t> out(bytes.size(), 0);
    out.front() = 0xAA;
    out.back() = 0xBB;
    store_record(out, 1, s, "sample", kSampleCodes);
    EXPECT_EQ(out, bytes) << "storing gives back the bytes read, around bytes untouched";
}

} // namespace
} // namespace zephane
