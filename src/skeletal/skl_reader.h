#pragma once
// The skeleton-export text reader: bones, skinned vertices, faces and frames of a ".skl" file.
// A pure function over the file's bytes; nothing in the text is trusted.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephane {

inline constexpr std::size_t kSklMaxBones = 250;
inline constexpr std::size_t kSklMaxVertices = 4000;

struct SklBone {
    int file_index = 0;
    int parent = -1; // index into SklFile::bones, -1 for a root
    std::string name; // at most 63 characters
    bool tag = false; // never receives vertex weights
};

struct SklInfluence {
    int bone = 0; // index into SklFile::bones
    float weight = 0;
    std::array<float, 3> offset{}; // in the bone's space
};

struct SklVertex {
    bool has_normal = false;
    std::array<float, 3> normal{};
    std::vector<SklInfluence> influences; // one per bone, weights above 0
    int merged_into = -1; // an earlier vertex with the same influences, or -1
    std::vector<std::uint32_t> smoothing; // the masks of its faces, united while they overlap
};

struct SklFace {
    std::array<int, 3> vertex{}; // indices into SklFile::vertices, after merging
    std::array<std::array<float, 2>, 3> uv{};
    std::uint32_t smoothing = 0;
    bool live = false;
};

struct SklBonePose {
    std::array<float, 3> offset{};
    std::array<std::array<float, 3>, 3> rotation{}; // [row][column]; the file gives columns
};

struct SklFile {
    int version = 0;
    std::vector<SklBone> bones;
    std::vector<SklVertex> vertices;
    std::vector<SklFace> faces;
    float frame_rate = 0;
    std::vector<std::vector<SklBonePose>> frames; // per frame, one pose per bone (identity if absent)
};

// Never fails: reading past the end gives zeros and empty names, and what the file lacks is
// simply absent. Vertices and bones past the limits are ignored; faces and influences
// naming something that does not exist are dropped.
SklFile read_skeleton_export(std::span<const std::uint8_t> bytes);

} // namespace zephane
