#include "base/hex_dump.h"

#include <algorithm>
#include <cstdio>

namespace zephane {

std::string hex_dump(std::span<const std::uint8_t> bytes, std::size_t limit) {
    constexpr std::size_t kPerLine = 16;
    const std::size_t shown = std::min(bytes.size(), limit);
    std::string text;
    text.reserve((shown / kPerLine + 2) * 80);
    char cell[32];
    for (std::size_t start = 0; start < shown; start += kPerLine) {
        std::snprintf(cell, sizeof cell, "%08zx ", start);
        text += cell;
        const std::size_t end = std::min(start + kPerLine, shown);
        for (std::size_t k = start; k < start + kPerLine; ++k) {
            if (k == start + kPerLine / 2) text += ' ';
            if (k < end) {
                std::snprintf(cell, sizeof cell, " %02x", bytes[k]);
                text += cell;
            } else {
                text += "   ";
            }
        }
        text += "  |";
        for (std::size_t k = start; k < end; ++k)
            text += bytes[k] >= 0x20 && bytes[k] < 0x7F ? static_cast<char>(bytes[k]) : '.';
        text += "|\n";
    }
    if (shown < bytes.size())
        text += "... " + std::to_string(bytes.size() - shown) + " more bytes not shown\n";
    return text;
}

} // namespace zephane
