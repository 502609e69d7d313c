#include "definitions/text_tag.h"

#include <algorithm>

namespace zephane {

std::string read_text_tag(TagDatabase& db, TagEntry& tag) {
    const Payload* payload = db.get_tag_data(tag);
    if (!payload) return {};
    std::string text(payload->begin(), std::find(payload->begin(), payload->end(), 0));
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

Payload text_payload(const std::string& text) {
    if (text.empty()) return Payload{0};
    Payload payload(text.begin(), text.end());
    std::replace(payload.begin(), payload.end(), std::uint8_t{'\n'}, std::uint8_t{'\r'});
    return payload;
}

void write_text_tag(TagDatabase& db, TagEntry& tag, const std::string& text) {
    db.set_tag_data(tag, text_payload(text));
}

bool text_tag_differs(TagDatabase& db, TagEntry& tag, const std::string& text) {
    const Payload* payload = db.get_tag_data(tag);
    return !payload || *payload != text_payload(text);
}

void new_text_tag(TagDatabase& db, TagEntry& tag) { db.set_tag_data(tag, Payload(4, 0)); }

} // namespace zephane
