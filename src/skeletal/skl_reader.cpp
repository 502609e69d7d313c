#include "skeletal/skl_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <limits>
#include <map>
#include <string_view>
#include <tuple>

#include "base/byte_reader.h"

namespace zephane {

namespace {

constexpr std::size_t kMaxToken = 254;
constexpr std::size_t kMaxBoneName = 63;

bool is_space(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Whitespace-separated tokens over the text the bounds-checked reader hands out. Every step
// checks the position against the text's size; at the end every read gives an empty token,
// so numbers read as 0 and names as "".
class SklTokens {
public:
    explicit SklTokens(std::span<const std::uint8_t> bytes) {
        ByteReader r(bytes);
        text_ = r.bytes(r.remaining(), "skeleton export");
    }

    bool at_end() const { return pos_ >= text_.size(); }

    std::string_view token() {
        while (!at_end() && is_space(text_[pos_])) ++pos_;
        const std::size_t start = pos_;
        while (!at_end() && !is_space(text_[pos_]) && pos_ - start < kMaxToken) ++pos_;
        return {reinterpret_cast<const char*>(text_.data()) + start, pos_ - start};
    }

    // Skips tokens until one equals the keyword; false when the text ends first.
    bool expect(const char* keyword) {
        const std::size_t length = std::strlen(keyword);
        while (!at_end()) {
            while (!at_end() && is_space(text_[pos_])) ++pos_;
            const std::size_t start = pos_;
            while (!at_end() && !is_space(text_[pos_]) && pos_ - start < kMaxToken) ++pos_;
            if (pos_ - start == length && std::memcmp(text_.data() + start, keyword, length) == 0) return true;
        }
        return false;
    }

    // Numbers read as the longest prefix that is one ("12abc" is 12); anything else is 0.
    long integer() { return number<long>(token(), 10); }
    std::uint32_t hex() {
        std::string_view t = token();
        if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t.remove_prefix(2);
        return number<std::uint32_t>(t, 16);
    }
    // Infinities and NaN read as 0, so no later sum or quantisation meets them.
    float real() {
        std::string_view t = token();
        if (!t.empty() && t[0] == '+') t.remove_prefix(1);
        double value = 0;
        const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
        (void)end;
        if (error != std::errc{} || !std::isfinite(value) || std::fabs(value) > 3.4e38) return 0.0f;
        return static_cast<float>(value);
    }

    // The rest of the line after leading blanks (at most 254 characters; the rest is dropped).
    std::string name() {
        while (!at_end() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
        std::string text;
        while (!at_end() && text_[pos_] != '\n') {
            if (text.size() < kMaxToken) text.push_back(static_cast<char>(text_[pos_]));
            ++pos_;
        }
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
            text.pop_back();
        return text;
    }

private:
    template <typename T>
    static T number(std::string_view t, int base) {
        if (!t.empty() && t[0] == '+') t.remove_prefix(1);
        T value = 0;
        const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value, base);
        (void)end;
        if (error == std::errc::result_out_of_range)
            return !t.empty() && t[0] == '-' ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
        return error == std::errc{} ? value : T{0};
    }

    std::span<const std::uint8_t> text_;
    std::size_t pos_ = 0;
};

bool is_tag_bone(const std::string& name) {
    for (const char* mark : {"tag_", "_tag", "origin", "attach"})
        if (name.find(mark) != std::string::npos) return true;
    return false;
}

// Counts read from the file are never trusted for allocation: a loop stops at the end.
long clamp_count(long n, std::size_t limit) {
    return std::clamp<long>(n, 0, static_cast<long>(limit));
}

void add_influence(SklVertex& v, const SklInfluence& in) {
    for (SklInfluence& old : v.influences) {
        if (old.bone != in.bone) continue;
        const float sum = old.weight + in.weight;
        for (std::size_t c = 0; c < 3; ++c)
            old.offset[c] = (old.weight * old.offset[c] + in.weight * in.offset[c]) / sum;
        old.weight = sum;
        return;
    }
    v.influences.push_back(in);
}

using InfluenceKey = std::vector<std::tuple<int, float, float, float, float>>;

InfluenceKey key_of(const SklVertex& v) {
    InfluenceKey key;
    for (const SklInfluence& in : v.influences)
        key.emplace_back(in.bone, in.weight, in.offset[0], in.offset[1], in.offset[2]);
    std::sort(key.begin(), key.end());
    return key;
}

void merge_vertices(SklFile& f) {
    std::map<InfluenceKey, int> first;
    for (std::size_t i = 0; i < f.vertices.size(); ++i) {
        SklVertex& v = f.vertices[i];
        if (v.influences.empty()) continue;
        const auto [at, fresh] = first.emplace(key_of(v), static_cast<int>(i));
        if (!fresh) v.merged_into = at->second;
    }
}

void unite_smoothing(std::vector<std::uint32_t>& masks) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i < masks.size() && !changed; ++i)
            for (std::size_t j = i + 1; j < masks.size(); ++j)
                if (masks[i] & masks[j]) {
                    masks[i] |= masks[j];
                    masks.erase(masks.begin() + static_cast<std::ptrdiff_t>(j));
                    changed = true;
                    break;
                }
    }
}

} // namespace

SklFile read_skeleton_export(std::span<const std::uint8_t> bytes) {
    SklTokens t(bytes);
    SklFile f;
    t.expect("SKELETON");
    t.expect("VERSION");
    f.version = static_cast<int>(t.integer());

    t.expect("NUMMATERIALS");
    const long materials = t.integer();
    for (long m = 0; m < materials && !t.at_end(); ++m) {
        t.expect("MATERIAL");
        t.integer();
        t.name();
    }

    t.expect("NUMBONES");
    const long bone_count = clamp_count(t.integer(), kSklMaxBones);
    std::map<long, int> bone_at; // file index -> position (the first bone with that index)
    std::vector<long> parents;
    for (long b = 0; b < bone_count && !t.at_end(); ++b) {
        t.expect("BONE");
        SklBone bone;
        const long index = t.integer();
        parents.push_back(t.integer());
        bone.file_index = static_cast<int>(index);
        bone.name = t.name().substr(0, kMaxBoneName);
        bone.tag = is_tag_bone(bone.name);
        bone_at.emplace(index, static_cast<int>(f.bones.size()));
        f.bones.push_back(std::move(bone));
    }
    // A parent must precede its child; anything else (itself, later, missing) makes a root.
    for (std::size_t b = 0; b < f.bones.size(); ++b) {
        const auto p = bone_at.find(parents[b]);
        f.bones[b].parent = p != bone_at.end() && static_cast<std::size_t>(p->second) < b ? p->second : -1;
    }
    const auto find_bone = [&](long index) {
        const auto p = bone_at.find(index);
        return p == bone_at.end() ? -1 : p->second;
    };

    t.expect("NUMVERTS");
    const long vertex_count = clamp_count(t.integer(), kSklMaxVertices);
    std::map<long, int> vertex_at;
    for (long i = 0; i < vertex_count && !t.at_end(); ++i) {
        t.expect("VERT");
        const long index = t.integer();
        SklVertex v;
        if (f.version == 1) {
            t.expect("NORMAL");
            v.has_normal = true;
            for (float& c : v.normal) c = t.real();
        }
        t.expect("BONES");
        const long k = t.integer();
        for (long j = 0; j < k && !t.at_end(); ++j) {
            t.expect("BONE");
            SklInfluence in;
            in.bone = find_bone(t.integer());
            in.weight = t.real();
            for (float& c : in.offset) c = t.real();
            if (in.bone < 0 || !(in.weight > 0.0f) || f.bones[static_cast<std::size_t>(in.bone)].tag) continue;
            add_influence(v, in);
        }
        vertex_at.emplace(index, static_cast<int>(f.vertices.size()));
        f.vertices.push_back(std::move(v));
    }
    merge_vertices(f);
    const auto find_vertex = [&](long index) {
        const auto p = vertex_at.find(index);
        if (p == vertex_at.end()) return -1;
        const SklVertex& v = f.vertices[static_cast<std::size_t>(p->second)];
        return v.merged_into >= 0 ? v.merged_into : p->second;
    };

    t.expect("NUMFACES");
    const long face_count = t.integer();
    for (long i = 0; i < face_count && !t.at_end(); ++i) {
        t.expect("TRI");
        t.integer();
        SklFace face;
        bool usable = true;
        for (std::size_t c = 0; c < 3; ++c) {
            face.vertex[c] = find_vertex(t.integer());
            face.uv[c][0] = t.real();
            face.uv[c][1] = t.real();
            if (face.vertex[c] < 0 || f.vertices[static_cast<std::size_t>(face.vertex[c])].influences.empty())
                usable = false;
        }
        face.smoothing = f.version == 1 ? 1u : t.hex();
        const auto& v = face.vertex;
        face.live = usable && v[0] != v[1] && v[1] != v[2] && v[0] != v[2];
        if (!face.live) continue;
        for (const int vi : v) f.vertices[static_cast<std::size_t>(vi)].smoothing.push_back(face.smoothing);
        f.faces.push_back(face);
    }
    for (SklVertex& v : f.vertices) unite_smoothing(v.smoothing);

    t.expect("FRAMERATE");
    f.frame_rate = t.real();
    t.expect("NUMFRAMES");
    const long frame_count = t.integer();
    SklBonePose identity;
    identity.rotation = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (long i = 0; i < frame_count && !t.at_end(); ++i) {
        t.expect("FRAME");
        t.integer();
        std::vector<SklBonePose> poses(f.bones.size(), identity);
        for (std::size_t b = 0; b < f.bones.size() && !t.at_end(); ++b) {
            t.expect("BONE");
            const int bone = find_bone(t.integer());
            SklBonePose pose;
            t.expect("OFFSET");
            for (float& c : pose.offset) c = t.real();
            const char* axes[3] = {"X", "Y", "Z"};
            for (std::size_t column = 0; column < 3; ++column) {
                t.expect(axes[column]);
                for (std::size_t row = 0; row < 3; ++row) pose.rotation[row][column] = t.real();
            }
            if (bone >= 0) poses[static_cast<std::size_t>(bone)] = pose;
        }
        f.frames.push_back(std::move(poses));
    }
    t.expect("END");
    return f;
}

} // namespace zephane
