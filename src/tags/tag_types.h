#pragma once
// The tag type table: the 50 known types in their fixed order, with versions, names and
// localized marks, and the per-type operations that modules attach at start-up.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tags/tag_code.h"

namespace zephane {

class TagDatabase;
struct TagEntry;
class DependencyReporter;

// Which operations a type is documented to have (the table's columns).
enum TagTypeFeature : std::uint8_t {
    kHasEditor = 1 << 0,
    kHasAlternateEditor = 1 << 1,
    kHasDefaults = 1 << 2,
    kHasDependencies = 1 << 3,
    kHasUpdater = 1 << 4,
};

struct TagTypeRow {
    tag_type code;
    std::int16_t version;
    const char* singular_name;
    const char* plural_name;
    std::uint32_t localized; // 0 or 1
    std::uint8_t features;   // TagTypeFeature bits
};

using TagDefaultsOp = void (*)(TagDatabase&, TagEntry&);
using TagDependenciesOp = void (*)(TagDatabase&, TagEntry&, DependencyReporter&);
using TagUpdaterOp = void (*)(TagDatabase&, TagEntry&);
// Reads a payload (file byte order) through the type's structured reader and writes it again
// through its writer. Throws FormatError (base/byte_reader.h) when the reader refuses it.
using TagRewriteOp = std::vector<std::uint8_t> (*)(const std::vector<std::uint8_t>& payload,
                                                   std::int16_t version);

// The core operations attached to one row; null members mean the type has no such
// operation. Editor windows are registered on the UI side (app/tag_editor_registry.h).
struct TagTypeOps {
    TagDefaultsOp defaults = nullptr;
    TagDependenciesOp dependencies = nullptr;
    TagUpdaterOp updater = nullptr;
    TagRewriteOp rewrite = nullptr;
};

inline constexpr std::size_t kTagTypeCount = 50;

// Lookups search from the first row; an unknown code is not an error.
const TagTypeRow* find_tag_type(tag_type code);
std::int16_t tag_type_version(tag_type code);      // 1 for an unknown code
const char* tag_type_name(tag_type code);          // "UNKNOWN TYPE" for an unknown code
const char* tag_type_plural_name(tag_type code);   // "UNKNOWN TYPES" for an unknown code
tag_type tag_type_at(std::size_t index);           // 0 once index reaches the end
std::size_t tag_type_index(tag_type code);         // kTagTypeCount for an unknown code
bool tag_type_is_localized(tag_type code);

const TagTypeOps* tag_type_ops(tag_type code);     // null for an unknown code
TagDefaultsOp tag_type_defaults(tag_type code);
TagDependenciesOp tag_type_dependencies(tag_type code);
TagUpdaterOp tag_type_updater(tag_type code);
TagRewriteOp tag_type_rewrite(tag_type code);

// Attaching operations: each type module calls these from its registration function.
void attach_tag_defaults(tag_type code, TagDefaultsOp defaults);
void attach_tag_dependencies(tag_type code, TagDependenciesOp dependencies);
void attach_tag_updater(tag_type code, TagUpdaterOp updater);
void attach_tag_rewrite(tag_type code, TagRewriteOp rewrite);
// Removes every attached operation (tests start from a bare table).
void detach_all_tag_operations();

} // namespace zephane
