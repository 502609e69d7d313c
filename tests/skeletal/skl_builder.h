#pragma once
// Small skeleton-export texts for tests, written here (never taken from anywhere else).

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace zephane::test {

struct SklTextBone {
    int parent;
    std::string name;
};
struct SklTextInfluence {
    int bone;
    double weight, x, y, z;
};
struct SklTextVertex {
    std::vector<SklTextInfluence> influences;
    double nx = 0, ny = 0, nz = 1; // written in version 1 only
};
struct SklTextFace {
    int v[3];
    double uv[3][2];
    std::uint32_t smoothing = 1;
};
struct SklTextPose {
    double offset[3] = {0, 0, 0};
    double columns[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; // after "X", "Y", "Z"
};

// A pose at (x, y, z) turned by the yaw about z.
inline SklTextPose skl_pose_at(double x, double y, double z, double yaw_degrees = 0) {
    SklTextPose p;
    p.offset[0] = x;
    p.offset[1] = y;
    p.offset[2] = z;
    const double a = yaw_degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    const double columns[3][3] = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
    std::memcpy(p.columns, columns, sizeof columns);
    return p;
}

struct SklText {
    int version = 2;
    std::vector<SklTextBone> bones;
    std::vector<SklTextVertex> vertices;
    std::vector<SklTextFace> faces;
    std::vector<std::vector<SklTextPose>> frames; // none: one identity frame is written

    std::string text() const {
        std::ostringstream s;
        s.precision(9);
        s << "SKELETON\nVERSION " << version << "\nNUMMATERIALS 1\nMATERIAL 0 skin texture\n";
        s << "NUMBONES " << bones.size() << '\n';
        for (std::size_t b = 0; b < bones.size(); ++b)
            s << "BONE " << b << ' ' << bones[b].parent << ' ' << bones[b].name << '\n';
        s << "NUMVERTS " << vertices.size() << '\n';
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const SklTextVertex& v = vertices[i];
            s << "VERT " << i << '\n';
            if (version == 1) s << "NORMAL " << v.nx << ' ' << v.ny << ' ' << v.nz << '\n';
            s << "BONES " << v.influences.size() << '\n';
            for (const SklTextInfluence& in : v.influences)
                s << "BONE " << in.bone << ' ' << in.weight << ' ' << in.x << ' ' << in.y << ' ' << in.z << '\n';
        }
        s << "NUMFACES " << faces.size() << '\n';
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const SklTextFace& f = faces[i];
            s << "TRI " << i;
            for (int c = 0; c < 3; ++c) s << ' ' << f.v[c] << ' ' << f.uv[c][0] << ' ' << f.uv[c][1];
            if (version != 1) s << ' ' << std::hex << f.smoothing << std::dec;
            s << '\n';
        }
        const std::size_t frame_count = frames.empty() ? 1 : frames.size();
        s << "FRAMERATE 30\nNUMFRAMES " << frame_count << '\n';
        for (std::size_t fi = 0; fi < frame_count; ++fi) {
            s << "FRAME " << fi << '\n';
            for (std::size_t b = 0; b < bones.size(); ++b) {
                const SklTextPose pose = frames.empty() ? SklTextPose{} : frames[fi][b];
                s << "BONE " << b << "\nOFFSET " << pose.offset[0] << ' ' << pose.offset[1] << ' '
                  << pose.offset[2] << '\n';
                const char* axes[3] = {"X", "Y", "Z"};
                for (int c = 0; c < 3; ++c)
                    s << axes[c] << ' ' << pose.columns[c][0] << ' ' << pose.columns[c][1] << ' '
                      << pose.columns[c][2] << '\n';
            }
        }
        s << "END\n";
        return s.str();
    }

    std::vector<std::uint8_t> bytes() const {
        const std::string t = text();
        return {t.begin(), t.end()};
    }
};

// A grid of (n + 1) × (n + 1) vertices on z = 0 over [0, n] × [0, n], rooted on one bone
// (a second bone takes a share of the weight on the right half when two_bones is set).
inline SklText grid_skl(int n, bool two_bones = false) {
    SklText s;
    s.bones = {{-1, "Pelvis"}, {0, "LeftForearm"}};
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x) {
            SklTextVertex v;
            const double h = 0.1 * ((x * 7 + y * 3) % 5); // some relief, so costs differ
            if (two_bones && x > n / 2)
                v.influences = {{0, 0.5, double(x), double(y), h}, {1, 0.5, double(x), double(y), h}};
            else
                v.influences = {{0, 1.0, double(x), double(y), h}};
            s.vertices.push_back(v);
        }
    const auto at = [n](int x, int y) { return y * (n + 1) + x; };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double u0 = double(x) / n, u1 = double(x + 1) / n, v0 = double(y) / n, v1 = double(y + 1) / n;
            s.faces.push_back({{at(x, y), at(x + 1, y), at(x + 1, y + 1)}, {{u0, v0}, {u1, v0}, {u1, v1}}});
            s.faces.push_back({{at(x, y), at(x + 1, y + 1), at(x, y + 1)}, {{u0, v0}, {u1, v1}, {u0, v1}}});
        }
    return s;
}

} // namespace zephane::test
