#include <gtest/gtest.h>

#include <vector>

#include "base/hex_dump.h"

namespace zephane {
namespace {

TEST(HexDump, FullAndPartialLinesAndTheLimit) {
    std::vector<std::uint8_t> bytes;
    for (int k = 0; k < 20; ++k) bytes.push_back(static_cast<std::uint8_t>(0x41 + k));
    bytes[1] = 0x00;
    bytes[2] = 0x7F;
    EXPECT_EQ(hex_dump(bytes),
              "00000000  41 00 7f 44 45 46 47 48  49 4a 4b 4c 4d 4e 4f 50  |A..DEFGHIJKLMNOP|\n"
              "00000010  51 52 53 54                                       |QRST|\n");
    EXPECT_EQ(hex_dump(bytes, 4),
              "00000000  41 00 7f 44                                       |A..D|\n"
              "... 16 more bytes not shown\n");
    EXPECT_EQ(hex_dump({}), "");
}

} // namespace
} // namespace zephane
