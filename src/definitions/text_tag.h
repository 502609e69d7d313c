#pragma once
// The text types: string lists ('stli'), templates ('temp') and texts ('text'). Their payload
// is text rather than a record: lines separated by carriage returns, no terminating NUL, no
// byte swapping; an empty text is stored as a single NUL byte. In memory lines are separated
// by line feeds.

#include <string>

#include "tags/tag_database.h"

namespace zephane {

// The tag's text with line feeds; a tag without a payload gives an empty text. The text ends
// at the first NUL byte.
std::string read_text_tag(TagDatabase& db, TagEntry& tag);
// The payload a text is stored as.
Payload text_payload(const std::string& text);
// Makes the text the tag's payload; the tag is marked modified.
void write_text_tag(TagDatabase& db, TagEntry& tag, const std::string& text);
// Whether storing the text would change the tag's payload.
bool text_tag_differs(TagDatabase& db, TagEntry& tag, const std::string& text);

// The new-tag initialiser of string lists and texts: four zero bytes.
void new_text_tag(TagDatabase& db, TagEntry& tag);

void register_string_list_type();
void register_template_type();
void register_text_type();

} // namespace zephane
