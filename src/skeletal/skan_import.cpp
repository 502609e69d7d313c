#include "skeletal/skan_import.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "skeletal/skl_import.h"
#include "skeletal/skl_math.h"

namespace zephane {

namespace {

using namespace skl_math;

constexpr float kFadeIn = 0.125f, kInterruptFade = 0.5f, kFadeOut = 0.125f;
constexpr double kRotationScale = 32767.0;
constexpr double kYawUnitsPerDegree = 182.0444; // 65536 ÷ 360
constexpr tag_id kNoTag32 = 0xFFFFFFFFu;

struct Pose {
    Vec3 position{0, 0, 0};
    Mat3 rotation = kIdentity;
};

// The file's pose of bone b in frame f (world space); identity where the file has none.
Pose file_pose(const SklFile& file, std::size_t f, int b) {
    Pose pose;
    if (b < 0 || f >= file.frames.size() || static_cast<std::size_t>(b) >= file.frames[f].size()) return pose;
    const SklBonePose& p = file.frames[f][static_cast<std::size_t>(b)];
    for (std::size_t i = 0; i < 3; ++i) {
        pose.position[i] = p.offset[i];
        for (std::size_t j = 0; j < 3; ++j) pose.rotation[i][j] = p.rotation[i][j];
    }
    return pose;
}

// `pose` seen from `frame`: position and rotation undone.
Pose relative_to(const Pose& frame, const Pose& pose) {
    const Mat3 inverse = transpose(frame.rotation);
    const Vec3 d{pose.position[0] - frame.position[0], pose.position[1] - frame.position[1],
                 pose.position[2] - frame.position[2]};
    return {apply(inverse, d), multiply(inverse, pose.rotation)};
}

Pose compose(const Pose& parent, const Pose& local) {
    const Vec3 offset = apply(parent.rotation, local.position);
    return {{parent.position[0] + offset[0], parent.position[1] + offset[1], parent.position[2] + offset[2]},
            multiply(parent.rotation, local.rotation)};
}

Pose rest_pose(const skan_bone_base& bone) {
    Pose pose;
    for (std::size_t i = 0; i < 3; ++i) pose.position[i] = static_cast<double>(bone.position[i]);
    pose.rotation = quaternion_matrix({bone.rotation[0], bone.rotation[1], bone.rotation[2], bone.rotation[3]});
    return pose;
}

bool has_parent(const std::vector<skan_bone_base>& bones, std::size_t i) {
    return bones[i].parent >= 0 && static_cast<std::size_t>(bones[i].parent) < i;
}

Mat3 yaw_matrix(double yaw) {
    const double c = std::cos(yaw), s = std::sin(yaw);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

skan_bone_pose quantise_pose(const Pose& local, double factor) {
    skan_bone_pose pose{};
    for (std::size_t c = 0; c < 3; ++c) pose.position[c] = skan_quantise16(local.position[c] * factor);
    const auto q = matrix_quaternion(local.rotation);
    for (std::size_t c = 0; c < 4; ++c) pose.rotation[c] = skan_quantise16(static_cast<double>(q[c]) * kRotationScale);
    return pose;
}

// The degrees a yaw change turns, the short way round: 350 counts as 10.
double yaw_change_degrees(double radians) {
    double degrees = std::fabs(radians * 180.0 / std::numbers::pi);
    while (degrees > 180.0) degrees = std::fabs(360.0 - degrees);
    return degrees;
}

} // namespace

std::vector<std::string> origin_bone_choices(const SklFile& file) {
    std::vector<std::string> names;
    for (const SklBone& bone : file.bones) names.push_back(bone.name.empty() ? kUnnamedBone : bone.name);
    return names;
}

int find_skl_bone(const SklFile& file, const std::string& name) {
    for (std::size_t b = 0; b < file.bones.size(); ++b)
        if (file.bones[b].name == name) return static_cast<int>(b);
    return -1;
}

int default_origin_bone(const SklFile& file) { return find_skl_bone(file, kOriginStandardBone); }

std::vector<skan_bone_base> build_skan_hierarchy(const SklFile& file, int origin_bone) {
    const Pose origin = file_pose(file, 0, origin_bone);
    std::vector<int> renumbered(file.bones.size(), -1);
    std::vector<skan_bone_base> bones;
    for (std::size_t b = 0; b < file.bones.size(); ++b) {
        if (static_cast<int>(b) == origin_bone) continue;
        const int parent = file.bones[b].parent;
        skan_bone_base bone{};
        set_skan_name(bone.name, file.bones[b].name);
        const bool rooted = parent < 0 || parent == origin_bone || static_cast<std::size_t>(parent) >= b;
        bone.parent = rooted ? -1 : renumbered[static_cast<std::size_t>(parent)];
        const Pose world = file_pose(file, 0, static_cast<int>(b));
        const Pose rest = rooted ? relative_to(origin, world) : relative_to(file_pose(file, 0, parent), world);
        const auto q = matrix_quaternion(rest.rotation);
        for (std::size_t c = 0; c < 4; ++c) bone.rotation[c] = q[c];
        for (std::size_t c = 0; c < 3; ++c) bone.position[c] = static_cast<float>(rest.position[c]);
        renumbered[b] = static_cast<int>(bones.size());
        bones.push_back(bone);
    }
    return bones;
}

bool skan_has_hierarchy(const SkeletalAnimationSet& set) { return !set.bones.empty(); }

void set_skan_hierarchy(SkeletalAnimationSet& set, std::vector<skan_bone_base> bones) {
    std::vector<int> old_index(bones.size(), -1);
    for (std::size_t i = 0; i < bones.size(); ++i)
        for (std::size_t j = 0; j < set.bones.size(); ++j)
            if (skan_name(bones[i].name) == skan_name(set.bones[j].name)) {
                old_index[i] = static_cast<int>(j);
                break;
            }
    for (SkanAnimation& animation : set.animations) {
        const double factor = std::ldexp(1.0, animation.header.position_exponent);
        for (SkanFrame& frame : animation.frames) {
            std::vector<skan_bone_pose> poses(bones.size());
            for (std::size_t i = 0; i < bones.size(); ++i) {
                const int j = old_index[i];
                poses[i] = j >= 0 && static_cast<std::size_t>(j) < frame.poses.size()
                               ? frame.poses[static_cast<std::size_t>(j)]
                               : quantise_pose(rest_pose(bones[i]), factor);
            }
            frame.poses = std::move(poses);
        }
    }
    set.bones = std::move(bones);
}

SkanAnimation import_skan_animation(const SklFile& file, const std::vector<skan_bone_base>& bones,
                                    const AnimationImportOptions& options, const std::string& name) {
    std::size_t frame_count = file.frames.size();
    if (options.loopable && frame_count >= 2) --frame_count; // the last frame repeats the first
    std::vector<int> source(bones.size());
    for (std::size_t i = 0; i < bones.size(); ++i) source[i] = find_skl_bone(file, skan_name(bones[i].name));

    std::vector<std::vector<Pose>> locals(frame_count, std::vector<Pose>(bones.size()));
    std::vector<Vec3> origin_offsets(frame_count);
    std::vector<double> yaws(frame_count, 0.0);
    double largest = 0.1;
    for (std::size_t f = 0; f < frame_count; ++f) {
        Pose origin = file_pose(file, f, options.origin_bone);
        for (std::size_t axis = 0; axis < 3; ++axis)
            if (options.axes[axis] == AxisMotion::absolute) origin.position[axis] = 0;
        // The yaw of the origin's first column; with Yaw Absolute it stays in the poses:
        // the origin rotation loses it on the left, Rz(-yaw) × R (a turn about world z).
        const double yaw = std::atan2(origin.rotation[1][0], origin.rotation[0][0]);
        if (options.yaw == YawMotion::absolute) {
            origin.rotation = multiply(yaw_matrix(-yaw), origin.rotation);
            yaws[f] = 0;
        } else {
            yaws[f] = yaw;
        }
        origin_offsets[f] = origin.position;

        std::vector<Pose> relative(bones.size());
        for (std::size_t i = 0; i < bones.size(); ++i) {
            const bool parented = has_parent(bones, i);
            const auto parent = parented ? static_cast<std::size_t>(bones[i].parent) : 0;
            if (source[i] >= 0)
                relative[i] = relative_to(origin, file_pose(file, f, source[i]));
            else
                relative[i] = parented ? compose(relative[parent], rest_pose(bones[i])) : rest_pose(bones[i]);
            locals[f][i] = parented ? relative_to(relative[parent], relative[i]) : relative[i];
            for (const double p : locals[f][i].position) largest = std::max(largest, std::fabs(p));
        }
    }

    SkanAnimation animation;
    set_skan_name(animation.header.name, name);
    animation.header.frame_count = static_cast<std::uint16_t>(std::min<std::size_t>(frame_count, 0xFFFF));
    animation.header.flags = options.loopable ? kSkanLoopable : 0;
    animation.header.frames_per_second = skan_fixed_8_8(static_cast<double>(file.frame_rate));
    double factor = 1.0;
    animation.header.position_exponent = skan_position_exponent(largest, factor);
    animation.header.fade_in = kFadeIn;
    animation.header.interrupt_fade = kInterruptFade;
    animation.header.fade_out = kFadeOut;

    Vec3 previous{0, 0, 0};
    double previous_yaw = 0;
    for (std::size_t f = 0; f < animation.header.frame_count; ++f) {
        SkanFrame frame;
        double sum = 0;
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const double delta = origin_offsets[f][axis] - previous[axis];
            if (options.axes[axis] != AxisMotion::zero) sum += delta * delta;
        }
        const double distance = sum > 0 ? std::sqrt(sum) : 0.0;
        const double yaw_units = yaw_change_degrees(yaws[f] - previous_yaw) * kYawUnitsPerDegree;
        previous = origin_offsets[f];
        previous_yaw = yaws[f];
        frame.record.motion = skan_fixed_16_16(distance + yaw_units / 65536.0);
        frame.record.action = 0;
        set_skan_action_bone(frame.record, -1);
        frame.record.action_tag = kNoTag32;
        for (const Pose& local : locals[f]) frame.poses.push_back(quantise_pose(local, factor));
        animation.frames.push_back(std::move(frame));
    }
    return animation;
}

std::string animation_name_for(const std::string& path) { return import_name_for(path, 63); }

} // namespace zephane
