// The mesh header's field table and the Mesh Terrain Window's binding table against the
// header's descriptor, and the New Mesh dialog's texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "definitions/field_binding.h"
#include "mesh/mesh_header_bindings.h"
#include "mesh/mesh_header_fields.h"
#include "mesh/new_mesh.h"

namespace zephane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MeshHeaderFields, TableNamesEveryByteOnceAndSwapsWhatTheDescriptorSwaps) {
    const RecordLayout& layout = mesh_header_record::kLayout;
    ASSERT_EQ(layout.size, kMeshHeaderSize);
    ASSERT_EQ(bs_size(layout.codes), kMeshHeaderSize);
    Bytes file(kMeshHeaderSize);
    for (std::size_t k = 0; k < file.size(); ++k) file[k] = static_cast<std::uint8_t>(k * 7 + 1);
    Bytes expected = file;
    std::vector<std::string> owner(file.size());
    for (const FieldDef& field : layout.fields) {
        for (std::size_t k = 0; k < field.count; ++k) {
            const std::size_t at = field.offset + k * field.width;
            const std::string name = std::string(field.name) + "[" + std::to_string(k) + "]";
            ASSERT_LE(at + field.width, file.size()) << name;
            for (std::size_t b = at; b < at + field.width; ++b) {
                ASSERT_TRUE(owner[b].empty()) << name << " overlaps " << owner[b];
                owner[b] = name;
            }
            if (is_swapped_field(field))
                std::reverse(expected.begin() + static_cast<std::ptrdiff_t>(at),
                             expected.begin() + static_cast<std::ptrdiff_t>(at + field.width));
        }
    }
    for (std::size_t b = 0; b < owner.size(); ++b) ASSERT_FALSE(owner[b].empty()) << "byte " << b;
    Bytes native(kMeshHeaderSize);
    byte_swap_copy("mesh header", native.data(), file.data(), kMeshHeaderSize, 1, layout.codes);
    for (std::size_t b = 0; b < native.size(); ++b)
        ASSERT_EQ(native[b], expected[b]) << "byte " << b << " of " << owner[b];
}

TEST(MeshHeaderFields, TerrainWindowBindingsResolveWithDistinctControls) {
    using namespace mesh_terrain_bindings;
    std::set<int> ids;
    std::set<std::size_t> offsets;
    int references = 0;
    for (const FieldBinding& binding : kBindings) {
        SCOPED_TRACE(binding.control);
        const BindingPlace place = resolve_binding(mesh_header_record::kLayout, binding);
        ASSERT_EQ(place.problem, nullptr) << place.problem;
        EXPECT_TRUE(ids.insert(binding.control).second);
        if (binding.kind == BindingKind::reference) {
            ++references;
            // The open button and "No Tag" follow the name button.
            EXPECT_TRUE(ids.insert(binding.control + 1).second);
            EXPECT_TRUE(ids.insert(binding.control + 2).second);
            // No two pickers edit the same reference.
            EXPECT_TRUE(offsets.insert(place.offset).second) << place.offset;
            EXPECT_EQ(place.field->encoding, Encoding::tag_reference);
        }
    }
    EXPECT_EQ(references, kPickerCount);
    EXPECT_EQ(ids.count(kHint), 0u);
}

TEST(NewMeshSizes, DialogTextsNameTheColormapOrTheRule) {
    EXPECT_EQ(new_mesh_size_message(192, 192),
              "A 192 x 192 mesh will require a colormap measuring 1512 x 1512 pixels.");
    EXPECT_EQ(new_mesh_size_message(32, 512),
              "A 32 x 512 mesh will require a colormap measuring 252 x 4032 pixels.");
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {0, 192}, {-32, 192}, {48, 192}, {192, 544}, {192, 16}, {512, 513}})
        EXPECT_EQ(new_mesh_size_message(width, height), kBadMeshSizesText) << width << " " << height;
}

} // namespace
} // namespace zephane
