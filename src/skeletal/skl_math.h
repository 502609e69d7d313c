#pragma once
// Rotation arithmetic in double precision shared by the skeleton-export importers (models,
// hierarchies and animations). Matrices are [row][column] and multiply column vectors.

#include <array>

namespace zephane::skl_math {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<std::array<double, 3>, 3>;

inline constexpr Mat3 kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

Mat3 transpose(const Mat3& m);
Mat3 multiply(const Mat3& a, const Mat3& b);
Vec3 apply(const Mat3& m, const Vec3& v);
// Unit quaternion (x, y, z, w) of a rotation matrix; (0, 0, 0, 1) for one that gives none.
std::array<float, 4> matrix_quaternion(const Mat3& m);
// The rotation matrix of a quaternion (x, y, z, w), normalised first; identity for zero.
Mat3 quaternion_matrix(const std::array<double, 4>& q);

} // namespace zephane::skl_math
