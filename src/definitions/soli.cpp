#include "definitions/soli.h"

#include <algorithm>

namespace zephane {

namespace {
constexpr bs_code B = BS_GROUP_BEGIN, E = BS_GROUP_END, L = BS_SWAP32, S = BS_SWAP16;
using G = sound_list_definition;

constexpr FieldDef kEntryFields[] = {
    reference(0, "sound", fourcc("soun")),
    reserved(4, 4, "extra"),
};
constexpr RecordLayout kEntryLayout{"sound list entry", sizeof(sound_list_entry), kEntryFields,
                                    nullptr};

constexpr FieldDef kFields[] = {
    i16(0, "entry_count"),
    reserved(2, 14, "reserved_2"),
    record(16, "entries", kEntryLayout, kSoundListEntries),
};

// An empty list whose slots reference nothing.
constexpr G make_default() {
    G g{};
    for (sound_list_entry& entry : g.entries) entry.sound = kNoTag;
    return g;
}
} // namespace

const bs_code sound_list_definition::kCodes[] = {B, 1, S, 14, B, 30, L, 4, E, E};
const RecordLayout sound_list_definition::kLayout{G::kStructName, sizeof(G), kFields, G::kCodes};
const sound_list_definition sound_list_definition::kDefault = make_default();

// The sounds of the first entry_count entries.
void sound_list_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter) {
    G g;
    if (!read_definition(db, tag, g)) return;
    const auto count = static_cast<std::size_t>(
        std::clamp<int>(g.entry_count, 0, static_cast<int>(kSoundListEntries)));
    for (std::size_t k = 0; k < count; ++k)
        reporter.report_dependency(fourcc("soun"), g.entries[k].sound);
}

void register_sound_list_type() {
    attach_definition_operations<G>(sound_list_dependencies);
}

} // namespace zephane
