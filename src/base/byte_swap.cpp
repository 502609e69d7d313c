#include "base/byte_swap.h"

#include <cstring>
#include <utility>

#include "base/errors.h"

namespace zephane {

namespace {

constexpr const char* kModule = "byte_swapping";
constexpr long kLongestGroupRun = 32767;

void reverse2(std::uint8_t* p) { std::swap(p[0], p[1]); }
void reverse4(std::uint8_t* p) {
    std::swap(p[0], p[3]);
    std::swap(p[1], p[2]);
}

struct BodyResult {
    std::size_t size;
    std::size_t end; // index just past the body's closing BS_GROUP_END
};

// Walks one repetition of the body that starts at codes[first].
BodyResult walk_body(const char* name, std::uint8_t* data, const bs_code* codes,
                     std::size_t first) {
    std::size_t b = 0;
    std::size_t i = first;
    for (;;) {
        const bs_code code = codes[i];
        if (code == BS_GROUP_END) return {b, i + 1};
        if (code == BS_GROUP_BEGIN) {
            const BsWalkResult nested = bs_walk(name, data ? data + b : nullptr, codes + i);
            b += nested.size;
            i += nested.codes;
        } else if (code == BS_SWAP32) {
            if (data) reverse4(data + b);
            b += 4;
            ++i;
        } else if (code == BS_SWAP16) {
            if (data) reverse2(data + b);
            b += 2;
            ++i;
        } else {
            b += static_cast<std::size_t>(code > 0 ? code : 0);
            ++i;
        }
    }
}

} // namespace

BsWalkResult bs_walk(const char* name, std::uint8_t* data, const bs_code* codes) {
    const long count = codes[1];
    if (count <= 0) {
        // An empty outermost group converts nothing; it is measured only to find its end.
        return {0, walk_body(name, nullptr, codes, 2).end};
    }
    std::size_t b = 0;
    std::size_t end = 0;
    for (long k = 0; k < count; ++k) {
        const BodyResult body = walk_body(name, data ? data + b : nullptr, codes, 2);
        b += body.size;
        end = body.end;
    }
    return {b, end};
}

std::size_t bs_size(const bs_code* codes) { return bs_walk("", nullptr, codes).size; }

void byte_swap_data(const char* name, void* data, long struct_size, long struct_count,
                    const bs_code* codes) {
    if (struct_size >= 0) {
        const std::size_t size_in_bytes = bs_walk(name, nullptr, codes).size;
        const auto data_size = static_cast<std::size_t>(struct_size);
        ZEPHANE_CHECK(size_in_bytes == data_size, "size_in_bytes==data_size", kModule);
    }
    if (!data) return;
    auto* bytes = static_cast<std::uint8_t*>(data);
    const std::size_t stride = struct_size >= 0 ? static_cast<std::size_t>(struct_size)
                                                : bs_walk(name, nullptr, codes).size;
    for (long k = 0; k < struct_count; ++k) {
        bs_walk(name, bytes + static_cast<std::size_t>(k) * stride, codes);
    }
}

void byte_swap_copy(const char* name, void* destination, const void* source, long struct_size,
                    long struct_count, const bs_code* codes) {
    if (struct_size > 0 && struct_count > 0) {
        std::memmove(destination, source,
                     static_cast<std::size_t>(struct_size) * static_cast<std::size_t>(struct_count));
    }
    byte_swap_data(name, destination, struct_size, struct_count, codes);
}

void byte_swap_run(const char* name, void* data, long element_count, bs_code element_code) {
    if (element_count <= 0) return;
    if (element_code > 0) return; // bytes left as they are
    ZEPHANE_CHECK(element_code == BS_SWAP32 || element_code == BS_SWAP16,
                  "element_code==_4byte || element_code==_2byte", kModule);
    auto* bytes = static_cast<std::uint8_t*>(data);
    if (element_count <= kLongestGroupRun) {
        const bs_code codes[] = {BS_GROUP_BEGIN, static_cast<bs_code>(element_count), element_code,
                                 BS_GROUP_END};
        bs_walk(name, bytes, codes);
        return;
    }
    const auto n = static_cast<std::size_t>(element_count);
    if (element_code == BS_SWAP32) {
        for (std::size_t k = 0; k < n; ++k) reverse4(bytes + 4 * k);
    } else {
        for (std::size_t k = 0; k < n; ++k) reverse2(bytes + 2 * k);
    }
}

} // namespace zephane
