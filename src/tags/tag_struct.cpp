// Structured payload access: the only way editors read and write payloads.

#include <cstring>

#include "base/errors.h"
#include "tags/tag_database.h"

namespace zephane {

namespace {
constexpr const char* kModule = "tags";

std::size_t structures_size(long struct_length, long struct_count) {
    if (struct_length <= 0 || struct_count <= 0) return 0;
    return static_cast<std::size_t>(struct_length) * static_cast<std::size_t>(struct_count);
}
} // namespace

bool TagDatabase::read_tag_struct(const char* string, TagEntry* e, void* struct_ptr,
                                  long struct_length, long struct_count, const bs_code* codes) {
    ZEPHANE_ASSERT(string && e && struct_ptr && struct_count && codes,
                   "string && e && struct_ptr && struct_count && bs_codes", kModule);
    if (!(string && e && struct_ptr && struct_count && codes)) return false;
    const std::size_t size = structures_size(struct_length, struct_count);
    const Payload* payload = get_tag_data(*e);
    if (!payload && struct_length != 0) return false;
    if (payload && payload->size() < size) return false;
    if (size == 0) return true;
    byte_swap_copy(string, struct_ptr, payload->data(), struct_length, struct_count, codes);
    return true;
}

bool TagDatabase::write_tag_struct(const char* string, TagEntry* e, const void* struct_ptr,
                                   long struct_length, long struct_count, const bs_code* codes) {
    ZEPHANE_ASSERT(string && e && struct_ptr && struct_length && struct_count && codes,
                   "string && e && struct_ptr && struct_length && struct_count && bs_codes", kModule);
    if (!(string && e && struct_ptr && struct_length && struct_count && codes)) return false;
    const Payload* old = get_tag_data(*e);
    if (!old || old->empty()) return false;
    const std::size_t size = structures_size(struct_length, struct_count);
    Payload bytes(std::max(old->size(), size));
    if (old->size() > size) std::memcpy(bytes.data(), old->data(), old->size());
    byte_swap_copy(string, bytes.data(), struct_ptr, struct_length, struct_count, codes);
    set_tag_data(*e, std::move(bytes));
    return true;
}

bool TagDatabase::tag_struct_differs(const char* string, TagEntry* e, const void* struct_ptr,
                                     long struct_length, long struct_count, const bs_code* codes,
                                     bool exact) {
    ZEPHANE_ASSERT(string && e && struct_ptr && struct_length && struct_count && codes,
                   "string && e && struct_ptr && struct_length && struct_count && bs_codes", kModule);
    if (!(string && e && struct_ptr && struct_length && struct_count && codes)) return true;
    const Payload* payload = get_tag_data(*e);
    if (!payload) return true;
    const std::size_t size = structures_size(struct_length, struct_count);
    if (exact ? payload->size() != size : payload->size() < size) return true;
    std::vector<std::uint8_t> converted(size);
    byte_swap_copy(string, converted.data(), struct_ptr, struct_length, struct_count, codes);
    return std::memcmp(converted.data(), payload->data(), size) != 0;
}

} // namespace zephane
