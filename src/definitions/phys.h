#pragma once
// Local physics definitions ('phys'): how the particles of a local projectile group move. A
// kind selector followed by a 60-byte block whose layout (and descriptor) the kind chooses.

#include <cstddef>
#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct linear_physics {                     // kind 0; all values fixed 16.16
    std::uint32_t flags;
    std::int32_t acceleration[3];           // 4   I, J, K
    std::int32_t initial_velocity_lower[3]; // 16
    std::int32_t initial_velocity_delta[3]; // 28
    std::int32_t random_acceleration[3];    // 40
    std::uint8_t reserved52[8];
};
struct cylindrical_physics {                // kind 1
    std::uint32_t flags;
    std::int16_t angular_acceleration;      // 4
    std::int16_t initial_angular_velocity_lower; // 6
    std::int16_t initial_angular_velocity_delta; // 8
    std::int16_t initial_z_deviation;       // 10  world distance
    std::int32_t attraction_constant;       // 12  fixed 16.16
    std::int32_t radial_velocity;           // 16  fixed 16.16
    std::int32_t z_acceleration;            // 20  fixed 16.16
    std::uint8_t reserved24[36];
};
struct spherical_spring_physics {           // kind 2
    std::uint32_t flags;
    std::int16_t initial_angular_velocity_lower; // 4
    std::int16_t initial_angular_velocity_delta; // 6
    std::int32_t attraction_constant;       // 8   fixed 16.16
    std::uint8_t reserved12[48];
};
struct point_attractor_physics {            // kind 3
    std::uint32_t flags;
    std::int32_t maximum_velocity;          // 4   fixed 16.16
    std::int32_t radial_velocity;           // 8   fixed 16.16
    std::int32_t attraction_constant;       // 12  fixed 16.16
    std::int16_t minimum_height;            // 16  world distance
    std::uint8_t reserved18[42];
};
struct converging_physics {                 // kind 4
    std::uint32_t flags;
    std::int16_t initial_angular_velocity_lower; // 4
    std::int16_t initial_angular_velocity_delta; // 6
    std::uint16_t phi_minimum;              // 8   angle
    std::uint16_t phi_delta;                // 10  angle
    std::uint8_t reserved12[48];
};
struct explosive_gas_physics {              // kind 5; world distances
    std::uint32_t flags;
    std::int32_t radial_velocity_lower;     // 4
    std::int32_t radial_velocity_delta;     // 8
    std::int32_t radial_acceleration;       // 12
    std::int32_t linear_acceleration[3];    // 16
    std::int16_t drag_coefficient;          // 28  fixed 8.8
    std::uint8_t reserved30[30];
};

union physics_block {
    linear_physics linear;
    cylindrical_physics cylindrical;
    spherical_spring_physics spherical_spring;
    point_attractor_physics point_attractor;
    converging_physics converging;
    explosive_gas_physics explosive_gas;
    std::uint8_t bytes[60];
};
static_assert(sizeof(linear_physics) == 60 && sizeof(cylindrical_physics) == 60 &&
              sizeof(spherical_spring_physics) == 60 && sizeof(point_attractor_physics) == 60 &&
              sizeof(converging_physics) == 60 && sizeof(explosive_gas_physics) == 60);
static_assert(sizeof(physics_block) == 60);

inline constexpr std::int16_t kPhysicsKindCount = 6;

struct local_physics_definition {
    static constexpr tag_type kType = fourcc("phys");
    static constexpr const char* kStructName = "local physics definition";
    static constexpr const char* kModule = "phys.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const local_physics_definition kDefault;

    std::int16_t kind;                      // 0   popup index
    std::uint8_t reserved2[2];
    physics_block block;                    // 4

    // The block follows the kind's descriptor; a kind outside 0 to 5 is read unconverted and
    // cannot be written.
    static void finish_read(local_physics_definition& record);
    static bool prepare_write(local_physics_definition& record);
};
static_assert(sizeof(local_physics_definition) == 64);
static_assert(offsetof(local_physics_definition, block) == 4);

// The block layout of a kind (its fields, for the kind's dialog); null outside 0 to 5.
const RecordLayout* physics_block_layout(std::int16_t kind);
// The block descriptor of a kind and its name; null outside 0 to 5.
const bs_code* physics_block_codes(std::int16_t kind);
const char* physics_block_name(std::int16_t kind);

void register_local_physics_type();

} // namespace zephane
